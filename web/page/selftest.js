// The page's own test, run by web/test/browser_test.sh in headless
// Chromium (index.html?selftest&qzfisher=TREND/PLUNGE): it reads the
// bundled samples and a bad file through the page, checks what the page
// shows, times 100,000 rows read and drawn contoured, and posts one line
// per check to /selftest on the server that served it (and shows them in
// #selftest).
'use strict';

(function () {
  // What a geologist waits for a stereonet of a large file: half a second.
  const Page_Budget_ms = 500;
  const out = [];
  const check = (name, ok, detail) => out.push(`${ok ? 'PASS' : 'FAIL'} ${name}${detail !== undefined ? ': ' + detail : ''}`);
  const params = new URLSearchParams(location.search);
  const $ = (id) => document.getElementById(id);
  const set = (id, value) => {
    const el = $(id);
    if (el.type === 'checkbox') el.checked = value; else el.value = value;
    el.dispatchEvent(new Event('change'));
  };
  const nextFrame = () => new Promise((done) => requestAnimationFrame(() => requestAnimationFrame(done)));
  const finish = () => {
    const text = out.join('\n') + '\nSELFTEST DONE\n';
    const pre = document.createElement('pre');
    pre.id = 'selftest';
    pre.textContent = text;
    document.body.appendChild(pre);
    return fetch('/selftest', { method: 'POST', body: text }).catch(() => {});
  };

  async function run() {
    const m = window.qzPage.state.m;
    const fold = await (await fetch('fold.csv')).text();
    await window.qzPage.takeText('fold.csv', fold);
    let ds = window.qzPage.state.ds;
    check('records read', ds && ds.size() === 84, ds && ds.size());
    check('status', /84 records read/.test($('status').textContent), $('status').textContent);

    const f = m.fisher(ds, {});
    const want = (params.get('qzfisher') || '').split('/').map(Number);
    check('Fisher mean as qz gives it', want.length === 2 && Math.round(f.mean.trend) === want[0] &&
          Math.round(f.mean.plunge) === want[1], `${f.mean.trend.toFixed(1)}/${f.mean.plunge.toFixed(1)} vs ${want}`);

    // The table: the first row as the file has it (060,58,NE limb).
    $('records-box').open = true;
    $('records-box').dispatchEvent(new Event('toggle'));
    const rows = $('records').querySelectorAll('tbody tr');
    const first = rows.length ? Array.from(rows[0].cells).map((c) => c.textContent) : [];
    check('records table', rows.length === 84 && first[1] === 'Plane' && first[3] === '58' && first[4] === '60' &&
          first[9] === 'NE limb', `${rows.length} rows; first ${first.join('|')}`);
    $('records-box').open = false;

    // Planes as poles: a cross for each orientation on the stereonet
    // (84 planes, two orientations measured twice: 82 crosses; markers of
    // one paint share a path, each cross two strokes).
    set('planes', 'poles');
    let svg = document.querySelector('#stereonet svg');
    const strokes = svg ? Math.max(...Array.from(svg.querySelectorAll('path'), (p) => p.getAttribute('d').split('M').length - 1)) : 0;
    check('a symbol for each pole', strokes === 2 * 82, `${strokes / 2} crosses`);
    check('rose and tangent drawn', !!document.querySelector('#rose svg') && !!document.querySelector('#tangent svg'));

    // Contours with the levels typed; a level that is no number is marked.
    set('contour', 'kamb');
    set('levels', '2, 4');
    svg = document.querySelector('#stereonet svg');
    check('contours at the levels typed', !!svg && /Start : 2, CI = 4/.test(svg.textContent) && !$('levels').classList.contains('error'),
          svg ? (svg.textContent.match(/Start[^\n]*/) || [''])[0] : 'no picture');
    set('levels', '200, 5');
    check('why there are no contours', /below the first level/.test($('stereonet-notes').textContent), $('stereonet-notes').textContent);
    set('levels', 'two');
    check('levels that are no numbers are marked', $('levels').classList.contains('error'));
    set('levels', '');

    // The stereonet as PNG: a PNG file at twice the picture's size.
    const png = await window.qzPage.pictureBlob('stereonet', 'png');
    const head = png ? new Uint8Array(await png.arrayBuffer()) : new Uint8Array(0);
    const width = head.length > 24 ? new DataView(head.buffer).getUint32(16) : 0;
    const svgWidth = Number(document.querySelector('#stereonet svg').getAttribute('width'));
    check('PNG download', head[1] === 0x50 && head[2] === 0x4e && head[3] === 0x47 && width === 2 * svgWidth,
          `${width} px wide for ${svgWidth}`);

    // The data written as CSV read back the same.
    const written = ds.write('data.csv', {});
    const again = m.read(new TextDecoder().decode(written.bytes), 'data.csv', {});
    check('CSV written and read back', !written.error && written.written === 84 && again.size() === 84 &&
          again.column('dip').every((d, i) => d === ds.column('dip')[i]), written.error || again.size());
    again.delete();

    // Files as a browser hands them over (File objects, read as bytes):
    // the binary dataset file and UTF-16 text.
    const gdf = ds.write('fold.gdf', {});
    const utf16 = new Uint8Array([0xff, 0xfe, ...Array.from('Trend\tPlunge\r\n010\t20\r\n', (c) => [c.charCodeAt(0), 0]).flat()]);
    await window.qzPage.takeFiles([new File([gdf.bytes], 'fold.gdf'), new File([utf16], 'lines16.txt')]);
    ds = window.qzPage.state.ds;
    check('a binary file and UTF-16 text dropped', ds.size() === 85 && ds.column('plunge')[84] === 20 &&
          /85 records read/.test($('status').textContent), $('status').textContent);
    await window.qzPage.takeText('fold.csv', fold);
    ds = window.qzPage.state.ds;

    // P and T axes and the density as objects.
    const faults = m.read(await (await fetch('faults.txt')).text(), 'faults.txt', {});
    const pt = m.pt(faults, {});
    check('P and T axes of faults', !pt.error && pt.faults.length > 0 && pt.faults.some((x) => x.p && x.t), pt.error || pt.faults.length);
    faults.delete();
    const d = m.density(ds, {});
    check('density grid', !d.error && d.values.length === d.grid * d.grid && d.maximum > 0, d.error || d.maximum);

    // An analysis with its parameters typed: the kinematic analysis of
    // the sample on a face dipping 75 towards 060.  Planar sliding by hand:
    // 29 of the planes dip 41-72 degrees within 20 of 060 (steeper than
    // the friction angle, less steep than the face), then a face typed
    // wrong.
    $('analysis').value = 'kinematic';
    set('a-slope', '060/75');
    check('kinematic analysis on the face typed', /60\/75/.test($('result').textContent) && /Planar sliding : 29 /.test($('result').textContent),
          $('result').textContent.split('\n').slice(0, 3).join(' / '));
    set('a-slope', '060');
    check('a slope face typed wrong is refused', /Error: slope/.test($('result').textContent), $('result').textContent);
    set('a-slope', '');
    $('analysis').value = 'fisher';

    // A file that cannot be read says so.
    await window.qzPage.takeText('bad.stereonet', 'this is not a stereonet file\n');
    check('a bad file says so', $('status').classList.contains('error'), $('status').textContent);

    // 100,000 rows read and drawn, contoured, through the page: the
    // stereonet painted first, then the rose, the tangent plot and the
    // analysis.
    let big = 'Strike\tDip\n';
    for (let i = 0; i < 100000; ++i) big += `${(i * 7919) % 360}\t${(i * 104729) % 91}\n`;
    set('planes', 'auto');
    const times = [];
    for (let k = 0; k < 3; ++k) times.push(await window.qzPage.takeText('big.txt', big));
    ds = window.qzPage.state.ds;
    check('100,000 rows read and drawn contoured', ds.size() === 100000 && !!document.querySelector('#stereonet svg') &&
          !!document.querySelector('#tangent svg'));
    const median = (key) => times.map((t) => t[key]).sort((a, b) => a - b)[1];
    check(`a contoured stereonet of 100,000 rows painted within ${Page_Budget_ms} ms`, median('stereonet') < Page_Budget_ms);
    out.push(`TIME 100000 rows read and a contoured stereonet painted: median ${median('stereonet').toFixed(0)} ms ` +
             `(${times.map((t) => t.stereonet.toFixed(0)).join(', ')}); with rose, tangent plot and analysis: ` +
             `median ${median('all').toFixed(0)} ms (${times.map((t) => t.all.toFixed(0)).join(', ')})`);
    await window.qzPage.takeText('fold.csv', fold);
  }

  const wait = () => (window.qzPage ? run().catch((e) => check('no exception', false, String(e))).then(finish) : setTimeout(wait, 50));
  wait();
})();
