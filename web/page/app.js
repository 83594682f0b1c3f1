// The page: files read by the qzcore module in this browser, their rows,
// the pictures redrawn as options change, the analyses as text, and
// downloads.  No server is asked for anything once the page has loaded.
'use strict';

const $ = (id) => document.getElementById(id);
const state = { m: null, ds: null, files: [], svg: {}, records: null, first: 0 };
const Records_Page = 100;
/// Planes drawn as great circles up to this many records, as poles above:
/// thousands of great circles hide each other and take seconds to draw.
const Most_Great_Circles = 500;

function status(text, error) {
  $('status').textContent = text;
  $('status').classList.toggle('error', !!error);
}

function readOptions() {
  return { format: $('format').value, columns: $('columns').value.trim(), dipDirection: $('dipdir').checked };
}

/// Reads every file given into one dataset, in order; a file that cannot
/// be read says so and the others stay.
function readAll() {
  const m = state.m;
  if (state.ds) state.ds.delete();
  state.ds = null;
  state.records = null;
  state.first = 0;
  const problems = [];
  for (const f of state.files) {
    const r = state.ds ? state.ds.add(f.text, f.name, readOptions()) : m.read(f.text, f.name, readOptions());
    if (r && r.error) {
      problems.push(`${f.name}: ${r.error}`);
      continue;
    }
    if (!state.ds) state.ds = r;
  }
  showFiles(problems);
  draw();
  analyse();
}

function showFiles(problems) {
  const box = $('files-read');
  box.textContent = '';
  const ds = state.ds;
  if (ds) {
    for (const f of ds.layout()) {
      const p = document.createElement('p');
      p.textContent = `${f.name}: ${f.message || f.layout}${f.guessed ? ' (columns guessed: name them above)' : ''}`;
      box.appendChild(p);
    }
  }
  const rejected = ds ? ds.rejected() : [];
  const body = $('rejected').querySelector('tbody');
  body.textContent = '';
  for (const r of rejected) {
    const tr = document.createElement('tr');
    for (const v of [r.line, r.text, r.reason]) {
      const td = document.createElement('td');
      td.textContent = v;
      tr.appendChild(td);
    }
    body.appendChild(tr);
  }
  $('rejected-box').hidden = rejected.length === 0;
  $('rejected-summary').textContent = `${rejected.length} rows not read`;
  const count = ds ? ds.size() : 0;
  if (problems.length) {
    status(problems.join('; '), true);
  } else if (count === 0) {
    status(`No records could be read${rejected.length ? `: ${rejected.length} rows not read (listed below)` : ''}; ` +
           'check the format and the columns above.', true);
  } else {
    status(`${count} records read${rejected.length ? `, ${rejected.length} rows not read (listed below)` : ''}.`, false);
  }
  for (const id of ['reread', 'run', 'csv']) $(id).disabled = !ds;
  $('records-box').hidden = count === 0;
  $('records-summary').textContent = `${count} records: the table`;
  if ($('records-box').open) showRecords();
}

/// One page of the records table.  The columns are fetched from the
/// module when the table is first opened, not for every file read: a
/// file of 100,000 rows is drawn without them.
function showRecords() {
  const ds = state.ds;
  if (!ds) return;
  if (!state.records) {
    const r = { kind: ds.labels('kind'), sense: ds.labels('sense'), comment: ds.labels('comment') };
    for (const n of ['strike', 'dip', 'dipDirection', 'trend', 'plunge', 'rake']) r[n] = ds.column(n);
    state.records = r;
  }
  const r = state.records;
  const n = ds.size();
  state.first = Math.max(0, Math.min(state.first, n - 1));
  const last = Math.min(n, state.first + Records_Page);
  const body = $('records').querySelector('tbody');
  body.textContent = '';
  const number = (v) => (Number.isNaN(v) ? '' : String(Math.round(v * 10) / 10));
  for (let i = state.first; i < last; ++i) {
    const tr = document.createElement('tr');
    const cells = [i + 1, r.kind[i], number(r.strike[i]), number(r.dip[i]), number(r.dipDirection[i]),
      number(r.trend[i]), number(r.plunge[i]), number(r.rake[i]), r.sense[i], r.comment[i]];
    for (const v of cells) {
      const td = document.createElement('td');
      td.textContent = v;
      tr.appendChild(td);
    }
    body.appendChild(tr);
  }
  $('records-range').textContent = `records ${state.first + 1} to ${last} of ${n}`;
  $('records-back').disabled = state.first === 0;
  $('records-next').disabled = last >= n;
}

/// The contour levels typed: [] for automatic, [first, interval], or
/// null when the text is neither.
function levels() {
  const t = $('levels').value.trim();
  if (!t) return [];
  const v = t.split(/[\s,;]+/).map(Number);
  return v.length === 2 && v.every(Number.isFinite) && v[1] > 0 ? v : null;
}

function draw() {
  const ds = state.ds;
  const put = (id, result) => {
    const el = $(id);
    if (!result || result.error) {
      el.textContent = result ? result.error : '';
      state.svg[id] = null;
      return;
    }
    el.innerHTML = result.svg.replace(/^<\?xml[^>]*>\s*/, '');
    state.svg[id] = result.svg;
  };
  if (!ds || ds.size() === 0) {
    for (const id of ['stereonet', 'rose', 'tangent']) put(id, null);
    return;
  }
  const o = {
    projection: $('projection').value, hemisphere: $('hemisphere').value, planes: $('planes').value,
    contour: $('contour').value, filled: $('filled').checked, fisher: $('fisher').checked,
    bestfit: $('bestfit').checked, pt: $('pt').checked,
  };
  if (o.planes === 'auto') o.planes = ds.size() > Most_Great_Circles ? 'poles' : 'great-circles';
  const l = levels();
  $('levels').classList.toggle('error', l === null);
  if (l && l.length) o.levels = l;
  put('stereonet', state.m.stereonetSvg(ds, o));
  put('rose', state.m.roseSvg(ds, {}));
  put('tangent', state.m.tangentSvg(ds, {}));
}

function download(name, blob) {
  const a = document.createElement('a');
  a.href = URL.createObjectURL(blob);
  a.download = name;
  a.click();
  setTimeout(() => URL.revokeObjectURL(a.href), 1000);
}

function downloadPicture(id, kind) {
  const svg = state.svg[id];
  if (!svg) return;
  const blob = new Blob([svg], { type: 'image/svg+xml' });
  if (kind === 'svg') return download(`${id}.svg`, blob);
  // PNG: the SVG drawn on a canvas at its own size.
  const img = new Image();
  img.onload = () => {
    const c = document.createElement('canvas');
    c.width = img.width;
    c.height = img.height;
    c.getContext('2d').drawImage(img, 0, 0);
    c.toBlob((png) => download(`${id}.png`, png), 'image/png');
  };
  img.src = URL.createObjectURL(blob);
}

/// The records as the library writes a .csv file: every kind, sense,
/// comment and station kept, and read back the same by qz and here.
function csv() {
  const r = state.ds.write('data.csv', {});
  if (r.error) return status(`The data could not be written: ${r.error}`, true);
  download('data.csv', new Blob([r.bytes], { type: 'text/csv' }));
}

function analyse() {
  if (!state.ds || state.ds.size() === 0) {
    $('result').textContent = '';
    return;
  }
  const r = state.m.analyse(state.ds, $('analysis').value, {});
  $('result').textContent = r.error ? `Error: ${r.error}` : r.text;
}

function takeFiles(list) {
  const files = Array.from(list);
  Promise.all(files.map((f) => f.text().then((text) => ({ name: f.name, text })))).then((read) => {
    state.files = read;
    readAll();
  });
}

function wire() {
  const drop = $('drop');
  drop.addEventListener('dragover', (e) => { e.preventDefault(); drop.classList.add('over'); });
  drop.addEventListener('dragleave', () => drop.classList.remove('over'));
  drop.addEventListener('drop', (e) => { e.preventDefault(); drop.classList.remove('over'); takeFiles(e.dataTransfer.files); });
  $('files').addEventListener('change', (e) => takeFiles(e.target.files));
  $('reread').addEventListener('click', readAll);
  for (const id of ['projection', 'hemisphere', 'planes', 'contour', 'levels', 'filled', 'fisher', 'bestfit', 'pt']) {
    $(id).addEventListener('change', draw);
  }
  $('records-box').addEventListener('toggle', () => $('records-box').open && showRecords());
  $('records-back').addEventListener('click', () => { state.first -= Records_Page; showRecords(); });
  $('records-next').addEventListener('click', () => { state.first += Records_Page; showRecords(); });
  $('analysis').addEventListener('change', analyse);
  for (const b of document.querySelectorAll('button[data-download]')) {
    b.addEventListener('click', () => downloadPicture(b.dataset.download, b.dataset.kind));
  }
  $('run').addEventListener('click', analyse);
  $('csv').addEventListener('click', csv);
}

createQzCore().then((m) => {
  state.m = m;
  for (const a of m.analyses()) {
    const o = document.createElement('option');
    o.value = a.name;
    o.textContent = `${a.name}: ${a.help}`;
    $('analysis').appendChild(o);
  }
  wire();
  status(`qzCore ${m.version()} is ready: drop a file.`, false);
  window.qzPage = { state, takeText: (name, text) => { state.files = [{ name, text }]; readAll(); } };
  if (new URLSearchParams(location.search).has('selftest')) {
    const t = document.createElement('script');
    t.src = 'selftest.js';
    document.body.appendChild(t);
  }
  // ?sample=NAME reads a sample that came with the page (a demonstration,
  // and what the browser test opens).
  const sample = new URLSearchParams(location.search).get('sample');
  if (sample && /^[\w.-]+$/.test(sample)) {
    fetch(sample).then((r) => (r.ok ? r.text() : Promise.reject(r.status)))
      .then((text) => window.qzPage.takeText(sample, text))
      .catch((e) => status(`The sample ${sample} could not be fetched (${e})`, true));
  }
}).catch((e) => status(`The module could not start: ${e}`, true));
