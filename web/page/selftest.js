// The page's own test, run by web/test/browser_test.sh in headless
// Chromium (index.html?selftest&qzfisher=TREND/PLUNGE): it reads the
// bundled sample and a bad file through the page, checks what the page
// shows, times 100,000 rows read and drawn contoured, and writes one line
// per check into #selftest for the runner to read.
'use strict';

(function () {
  const out = [];
  const check = (name, ok, detail) => out.push(`${ok ? 'PASS' : 'FAIL'} ${name}${detail ? ': ' + detail : ''}`);
  const params = new URLSearchParams(location.search);
  const finish = () => {
    const pre = document.createElement('pre');
    pre.id = 'selftest';
    pre.textContent = out.join('\n') + '\nSELFTEST DONE\n';
    document.body.appendChild(pre);
  };
  const run = () => {
    try {
      const m = window.qzPage.state.m;
      fetch('fold.csv').then((r) => r.text()).then((text) => {
        window.qzPage.takeText('fold.csv', text);
        const ds = window.qzPage.state.ds;
        check('records read', ds && ds.size() === 84, ds && ds.size());
        check('status', /84 records read/.test(document.getElementById('status').textContent));
        const f = m.fisher(ds, {});
        const want = (params.get('qzfisher') || '').split('/').map(Number);
        check('Fisher mean as qz gives it', want.length === 2 && Math.round(f.mean.trend) === want[0] &&
              Math.round(f.mean.plunge) === want[1], `${f.mean.trend.toFixed(1)}/${f.mean.plunge.toFixed(1)} vs ${want}`);
        // Planes as poles: one symbol each on the stereonet (paths in the
        // net, besides the frame's and the key's).
        document.getElementById('planes').value = 'poles';
        document.getElementById('planes').dispatchEvent(new Event('change'));
        const svg = document.querySelector('#stereonet svg');
        check('stereonet drawn', !!svg);
        const marks = svg ? svg.querySelectorAll('path').length : 0;
        check('a symbol for each pole', marks >= 84, `${marks} paths`);
        check('rose and tangent drawn', !!document.querySelector('#rose svg') && !!document.querySelector('#tangent svg'));
        // A file that cannot be read says so.
        window.qzPage.takeText('bad.stereonet', 'this is not a stereonet file\n');
        const st = document.getElementById('status');
        check('a bad file says so', st.classList.contains('error'), st.textContent);
        // 100,000 rows read and drawn contoured (timed only where the
        // browser runs in real time: under a virtual-time budget the clock
        // stands still while the page computes).
        let rows = 'Strike\tDip\n';
        for (let i = 0; i < 100000; ++i) rows += `${(i * 7919) % 360}\t${(i * 104729) % 91}\n`;
        const t0 = performance.now();
        const big = m.read(rows, 'big.txt', {});
        const net = m.stereonetSvg(big, { planes: 'poles', contour: 'kamb', filled: true });
        const ms = performance.now() - t0;
        check('100,000 rows read and drawn contoured', big.size() === 100000 && !net.error);
        out.push(`TIME read and contoured stereonet of 100000 rows: ${ms.toFixed(0)} ms (page clock)`);
        big.delete();
        window.qzPage.takeText('fold.csv', text);
        finish();
      });
    } catch (e) {
      check('no exception', false, String(e));
      finish();
    }
  };
  const wait = () => (window.qzPage ? run() : setTimeout(wait, 50));
  wait();
})();
