// The page: files read by the qzcore module in this browser, their rows,
// the pictures redrawn as options change, the analyses as text, and
// downloads.  No server is asked for anything once the page has loaded.
'use strict';

const $ = (id) => document.getElementById(id);
const plural = (n, word) => `${n} ${word}${n === 1 ? '' : 's'}`;
const state = { m: null, ds: null, files: [], svg: {}, records: null, first: 0 };
const Records_Page = 100;
/// Planes drawn as great circles up to this many records, as poles above:
/// thousands of great circles hide each other and take seconds to draw.
const Most_Great_Circles = 500;
const Warm_Up_Rows = 20000;
const Png_Scale = 2;
const Stereonet_Options = ['projection', 'hemisphere', 'planes', 'contour', 'levels', 'filled', 'fisher', 'bestfit', 'pt'];

function status(text, error) {
  $('status').textContent = text;
  $('status').classList.toggle('error', !!error);
}

function readOptions() {
  return { format: $('format').value, columns: $('columns').value.trim(), dipDirection: $('dipdir').checked };
}

/// Runs `f` once the browser has painted what is on the page now.
const afterPaint = (f) => requestAnimationFrame(() => setTimeout(f, 0));

/// Reads every file given into one dataset, in order; a file that cannot
/// be read says so and the others stay.  The stereonet is drawn and shown
/// first, the rose, the tangent plot and the analysis once it is painted.
/// Resolves with the times taken (ms, from the start): stereonet painted,
/// everything painted.
function readAll() {
  const t0 = performance.now();
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
  drawStereonet();
  return new Promise((done) => afterPaint(() => {
    const timing = { stereonet: performance.now() - t0 };
    drawOthers();
    analyse();
    afterPaint(() => {
      timing.all = performance.now() - t0;
      done(timing);
    });
  }));
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
  // Every row refused is counted; the first ones are listed.
  const notRead = ds ? ds.counts().rejected : 0;
  const listed = notRead > rejected.length ? ` (the first ${rejected.length} listed below)` : ' (listed below)';
  $('rejected-box').hidden = notRead === 0;
  $('rejected-summary').textContent = `${plural(notRead, 'row')} not read`;
  const count = ds ? ds.size() : 0;
  if (problems.length) {
    status(problems.join('; '), true);
  } else if (count === 0) {
    status(`No records could be read${notRead ? `: ${plural(notRead, 'row')} not read${listed}` : ''}; ` +
           'check the format and the columns above.', true);
  } else {
    status(`${plural(count, 'record')} read${notRead ? `, ${plural(notRead, 'row')} not read${listed}` : ''}.`, false);
  }
  $('reread').disabled = !ds;
  for (const id of ['run', 'csv']) $(id).disabled = count === 0;
  $('records-box').hidden = count === 0;
  $('records-summary').textContent = `${plural(count, 'record')}: the table`;
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

/// Shows a picture's SVG in the element `id`, or its error.
function put(id, result) {
  const el = $(id);
  state.svg[id] = result && !result.error ? result.svg : null;
  if (!state.svg[id]) {
    el.textContent = result ? result.error : '';
    return;
  }
  el.innerHTML = result.svg.replace(/^<\?xml[^>]*>\s*/, '');
}

const hasRecords = () => state.ds && state.ds.size() > 0;

function drawStereonet() {
  const ds = state.ds;
  $('stereonet-notes').textContent = '';
  if (!hasRecords()) return put('stereonet', null);
  const o = {
    projection: $('projection').value, hemisphere: $('hemisphere').value, planes: $('planes').value,
    contour: $('contour').value, filled: $('filled').checked, fisher: $('fisher').checked,
    bestfit: $('bestfit').checked, pt: $('pt').checked,
  };
  if (o.planes === 'auto') o.planes = ds.size() > Most_Great_Circles ? 'poles' : 'great-circles';
  const l = levels();
  $('levels').classList.toggle('error', l === null);
  if (l && l.length) o.levels = l;
  const net = state.m.stereonetSvg(ds, o);
  put('stereonet', net);
  // How the levels were chosen, what an overlay left out, why no contours.
  $('stereonet-notes').textContent = net.notes ? net.notes.join(' ') : '';
}

/// The rose and the tangent plot, which the stereonet's options leave be.
function drawOthers() {
  put('rose', hasRecords() ? state.m.roseSvg(state.ds, {}) : null);
  put('tangent', hasRecords() ? state.m.tangentSvg(state.ds, {}) : null);
}

function download(name, blob) {
  const a = document.createElement('a');
  a.href = URL.createObjectURL(blob);
  a.download = name;
  a.click();
  setTimeout(() => URL.revokeObjectURL(a.href), 1000);
}

/// The picture `id` as an SVG or PNG blob (a promise; null when there is
/// no picture).  PNG: the SVG drawn on a canvas at twice its size, sharp
/// enough to print.
function pictureBlob(id, kind) {
  const svg = state.svg[id];
  if (!svg) return Promise.resolve(null);
  const blob = new Blob([svg], { type: 'image/svg+xml' });
  if (kind === 'svg') return Promise.resolve(blob);
  return new Promise((done, fail) => {
    const img = new Image();
    img.onload = () => {
      const c = document.createElement('canvas');
      c.width = img.width * Png_Scale;
      c.height = img.height * Png_Scale;
      c.getContext('2d').drawImage(img, 0, 0, c.width, c.height);
      URL.revokeObjectURL(img.src);
      c.toBlob(done, 'image/png');
    };
    img.onerror = () => fail(new Error(`the ${id} could not be drawn as PNG`));
    img.src = URL.createObjectURL(blob);
  });
}

function downloadPicture(id, kind) {
  pictureBlob(id, kind).then((blob) => blob && download(`${id}.${kind}`, blob))
    .catch((e) => status(String(e.message || e), true));
}

/// The records as the library writes a .csv file: every kind, sense,
/// comment and station kept, and read back the same by qz and here.
function csv() {
  const r = state.ds.write('data.csv', {});
  if (r.error) return status(`The data could not be written: ${r.error}`, true);
  download('data.csv', new Blob([r.bytes], { type: 'text/csv' }));
}

function analyse() {
  if (!hasRecords()) {
    $('result').textContent = '';
    return;
  }
  const r = state.m.analyse(state.ds, $('analysis').value, analysisOptions());
  $('result').textContent = r.error ? `Error: ${r.error}` : r.text;
}

/// The analyses' parameters typed (each left out when empty: the
/// library's default); a slope face typed wrong is handed on as it is, for
/// the module to refuse by name.
function analysisOptions() {
  const o = {};
  const num = (id) => ($(id).value.trim() === '' ? null : Number($(id).value));
  for (const [id, key] of [['a-sets', 'sets'], ['a-bootstrap', 'bootstrap'], ['a-friction', 'friction'], ['a-lateral', 'lateralLimit']]) {
    if (num(id) !== null) o[key] = num(id);
  }
  const slope = $('a-slope').value.trim();
  if (slope) o.slope = slope.split(/[\s/,]+/).map(Number);
  return o;
}

/// Files dropped or chosen, read as their bytes: the library tells text
/// (UTF-8, UTF-16, Latin-1) from the binary dataset file itself.
function takeFiles(list) {
  const files = Array.from(list);
  return Promise.all(files.map((f) => f.arrayBuffer().then((bytes) => ({ name: f.name, text: new Uint8Array(bytes) }))))
    .then((read) => {
      state.files = read;
      return readAll();
    });
}

function wire() {
  const drop = $('drop');
  drop.addEventListener('dragover', (e) => { e.preventDefault(); drop.classList.add('over'); });
  drop.addEventListener('dragleave', () => drop.classList.remove('over'));
  drop.addEventListener('drop', (e) => { e.preventDefault(); drop.classList.remove('over'); takeFiles(e.dataTransfer.files); });
  $('files').addEventListener('change', (e) => takeFiles(e.target.files));
  $('reread').addEventListener('click', readAll);
  for (const id of Stereonet_Options) {
    $(id).addEventListener('change', drawStereonet);
  }
  $('records-box').addEventListener('toggle', () => $('records-box').open && showRecords());
  $('records-back').addEventListener('click', () => { state.first -= Records_Page; showRecords(); });
  $('records-next').addEventListener('click', () => { state.first += Records_Page; showRecords(); });
  $('analysis').addEventListener('change', analyse);
  for (const id of ['a-sets', 'a-bootstrap', 'a-slope', 'a-friction', 'a-lateral']) $(id).addEventListener('change', analyse);
  for (const b of document.querySelectorAll('button[data-download]')) {
    b.addEventListener('click', () => downloadPicture(b.dataset.download, b.dataset.kind));
  }
  $('run').addEventListener('click', analyse);
  $('csv').addEventListener('click', csv);
}

/// While the page waits for a file: the module reads and draws a made-up
/// dataset once, so that the browser compiles its busiest code fully
/// before the user's file comes (a first run is otherwise two to three
/// times slower).
function warmUp() {
  let rows = 'Strike\tDip\n';
  for (let i = 0; i < Warm_Up_Rows; ++i) rows += `${(i * 7919) % 360}\t${(i * 104729) % 91}\n`;
  const ds = state.m.read(rows, 'warm-up.txt', {});
  state.m.stereonetSvg(ds, { planes: 'poles', contour: 'kamb', filled: true });
  state.m.roseSvg(ds, {});
  state.m.tangentSvg(ds, {});
  state.m.analyse(ds, 'fisher', {});
  ds.delete();
}

createQzCore().then((m) => {
  state.m = m;
  for (const f of m.formats().filter((x) => x.read)) {
    const o = document.createElement('option');
    o.value = f.name;
    o.textContent = f.name;
    o.title = `${f.description} (${f.extensions.map((e) => '.' + e).join(' ')})`;
    $('format').appendChild(o);
  }
  for (const a of m.analyses()) {
    const o = document.createElement('option');
    o.value = a.name;
    o.textContent = `${a.name}: ${a.help}`;
    $('analysis').appendChild(o);
  }
  wire();
  status(`qzCore ${m.version()} is ready: drop a file.`, false);
  // For the page's checks: text read as a dropped file would be.
  window.qzPage = { state, takeFiles, pictureBlob, takeText: (name, text) => { state.files = [{ name, text }]; return readAll(); } };
  setTimeout(warmUp, 0);
  if (new URLSearchParams(location.search).has('selftest')) {
    const t = document.createElement('script');
    t.src = 'selftest.js';
    document.body.appendChild(t);
  }
  // The stereonet's options may be given in the address too
  // (?contour=kamb&planes=poles&fisher), so that a view can be shared.
  const asked = new URLSearchParams(location.search);
  for (const id of Stereonet_Options) {
    if (!asked.has(id)) continue;
    const el = $(id);
    if (el.type === 'checkbox') el.checked = asked.get(id) !== 'false';
    else if (el.tagName !== 'SELECT' || Array.from(el.options).some((o) => o.value === asked.get(id))) el.value = asked.get(id);
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
