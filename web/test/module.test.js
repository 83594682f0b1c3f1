// The browser module under node: reading, rejected rows, the Fisher mean
// against qz's, pictures and refusals.  Run: node web/test/module.test.js
// BUILD_WEB_DIR SAMPLES_DIR [QZ]
'use strict';
const assert = require('assert');
const fs = require('fs');
const path = require('path');
const { execFileSync } = require('child_process');

const [webDir, samples, qz] = process.argv.slice(2);
const createQzCore = require(path.resolve(webDir, 'qzcore.js'));

createQzCore({ wasmBinary: fs.readFileSync(path.join(webDir, 'qzcore.wasm')) }).then((m) => {
  const fold = fs.readFileSync(path.join(samples, 'fold.csv'), 'utf8');
  const ds = m.read(fold, 'fold.csv', {});
  assert.ok(!ds.error, ds.error);
  assert.strictEqual(ds.size(), 84);
  assert.match(ds.layout()[0].layout, /columns from the header row: Strike \(dip direction\), Dip/);
  assert.strictEqual(ds.column('dip').length, 84);

  // The Fisher mean as qz prints it, to the degree.
  const f = m.fisher(ds, {});
  if (qz) {
    const out = execFileSync(qz, ['analyse', 'fisher', path.join(samples, 'fold.csv')], { stdio: ['ignore', 'pipe', 'ignore'] }).toString();
    const [, trend, plunge] = out.match(/As linear \(azimuth, plunge\) : \((\d+) , (\d+)\)/);
    assert.strictEqual(Math.round(f.mean.trend), Number(trend));
    assert.strictEqual(Math.round(f.mean.plunge), Number(plunge));
  }
  assert.ok(f.k > 0 && f.cone95 > 0);

  // A bad row is listed with its line and reason; the good ones load.
  const bad = m.read('Strike\tDip\n10\t20\n10\t95\n30\t40\n', 'bad.txt', {});
  assert.strictEqual(bad.size(), 2);
  const rejected = bad.rejected();
  assert.strictEqual(rejected.length, 1);
  assert.strictEqual(rejected[0].line, 3);
  assert.match(rejected[0].reason, /dip/i);

  // Pictures: SVG documents with the count of records.
  const net = m.stereonetSvg(ds, { planes: 'poles', contour: 'kamb', filled: true });
  assert.ok(!net.error, net.error);
  assert.match(net.svg, /^<\?xml[^]*<svg xmlns="http:\/\/www.w3.org\/2000\/svg"[^]*Total Data : 84[^]*<\/svg>\n$/);
  for (const pic of [m.roseSvg(ds, {}), m.tangentSvg(ds, {})]) assert.ok(pic.svg.includes('<svg'));

  // More files into one dataset, after the records held.
  const more = m.read('Trend\tPlunge\n010\t20\n', 'a.txt', {});
  assert.deepStrictEqual(more.add('Trend\tPlunge\n030\t40\n050\t60\n', 'b.txt', {}), {});
  assert.strictEqual(more.size(), 3);
  assert.strictEqual(more.column('plunge')[2], 60);
  assert.ok(more.add('', 'c.txt', { format: 'nope' }).error);
  assert.strictEqual(more.size(), 3);
  more.delete();

  // Kinds, senses and comments of records; every line accounted for.
  const faults = m.read(fs.readFileSync(path.join(samples, 'faults.txt'), 'utf8'), 'faults.txt', {});
  const kinds = faults.labels('kind');
  assert.strictEqual(kinds.length, faults.size());
  assert.ok(kinds.every((k) => k === 'Fault'), kinds.join());
  assert.deepStrictEqual(faults.labels('sense').slice(0, 4), ['Norm', 'Norm', 'RLat', 'LLat']);
  assert.strictEqual(faults.labels('comment')[0], 'main normal fault');
  const c = bad.counts();
  assert.deepStrictEqual([c.records, c.rejected, c.header], [2, 1, 1]);

  // P and T of a near-pure normal fault (strike 020, dip 60 to 110,
  // rake 85): in the dip plane each 45 degrees from the plane, so P
  // plunges about 60 + 45 - 30 = 75 (to 290) and T about 60 - 45 = 15 (to
  // 110); the 5 degrees of strike slip move them by less than 6 degrees of arc.
  const pt = m.pt(faults, {});
  assert.ok(!pt.error, pt.error);
  const first = pt.faults.find((x) => x.record === 0);
  assert.strictEqual(first.sense, 'Norm');
  const rad = Math.PI / 180;
  const apart = (a, trend, plunge) => Math.acos(Math.min(1, Math.sin(a.plunge * rad) * Math.sin(plunge * rad) +
    Math.cos(a.plunge * rad) * Math.cos(plunge * rad) * Math.cos((a.trend - trend) * rad))) / rad;
  assert.ok(apart(first.p, 290, 75) < 6, JSON.stringify(first.p));
  assert.ok(apart(first.t, 110, 15) < 6, JSON.stringify(first.t));

  // The density: a grid of nodes and its densest direction near the
  // Fisher mean of these poles (the fold's limbs: the densest is one limb).
  const d = m.density(ds, { method: '1percent', grid: 41 });
  assert.ok(!d.error, d.error);
  assert.strictEqual(d.grid, 41);
  assert.strictEqual(d.values.length, 41 * 41);
  assert.ok(d.percent && d.maximum > 1 && d.values[0] === 0);

  // Written as CSV and read back: the same records, kinds and senses.
  const w = faults.write('out.csv', {});
  assert.ok(!w.error, w.error);
  assert.strictEqual(w.written, faults.size());
  const back = m.read(new TextDecoder().decode(w.bytes), 'out.csv', {});
  assert.strictEqual(back.size(), faults.size());
  assert.deepStrictEqual(back.labels('sense'), faults.labels('sense'));
  assert.deepStrictEqual(Array.from(back.column('rake')), Array.from(faults.column('rake')));
  back.delete();

  // The file's own bytes: the binary dataset file comes back whole, and
  // Latin-1 text keeps its comment (as JavaScript's UTF-8 decoding would not).
  const gdf = faults.write('faults.gdf', {});
  const again = m.read(gdf.bytes.buffer, 'faults.gdf', {});
  assert.ok(!again.error, again.error);
  assert.deepStrictEqual(again.labels('sense'), faults.labels('sense'));
  assert.deepStrictEqual(again.labels('comment'), faults.labels('comment'));
  again.delete();
  const latin1 = m.read(new Uint8Array([...Buffer.from('Strike\tDip\tComment\n010\t20\tVall\xe9e\n', 'latin1')]), 'l.txt', {});
  assert.strictEqual(latin1.size(), 1);
  assert.match(latin1.labels('comment')[0], /^Vall.e$/);
  latin1.delete();
  assert.ok(m.formats().some((f) => f.name === 'binary' && f.read && f.written && f.extensions.includes('gdf')));

  // Contour levels as typed: first level and interval.
  const levels = m.stereonetSvg(ds, { planes: 'poles', contour: 'kamb', levels: [2, 4] });
  assert.ok(!levels.error, levels.error);
  assert.match(levels.svg, /Start : 2, CI = 4/);
  assert.strictEqual(levels.records, 84);

  // The overlays of qz plot stereonet: each draws, and says what it left out.
  for (const [data, o] of [
    [faults, { stress: true, bootstrap: 20 }],
    [faults, { colourBy: 'misfit' }],
    [faults, { colourBy: 'slip-tendency', sigma1: [0, 90], sigma3: [90, 0], magnitudes: [3, 2, 1] }],
    [faults, { dihedra: true }],
    [ds, { planes: 'poles', kinematic: 'planar', slope: [60, 70], friction: 30 }],
    [ds, { cones: [[321, 64, 20], [0, 90, 45]], markMax: true, contour: 'kamb' }],
  ]) {
    const r = m.stereonetSvg(data, o);
    assert.ok(!r.error && Array.isArray(r.notes) && r.elements > 20, `${JSON.stringify(o)}: ${r.error}`);
  }
  // The rose says what it counted: strikes of the fold's 84 planes.
  const rose = m.roseSvg(ds, { classSize: 15, runningAverage: 30 });
  assert.deepStrictEqual([rose.of, rose.count, rose.leftOut], ['strike', 84, 0]);

  // Refused options come back as {error, field}, not exceptions: names
  // out of their tables, numbers a JavaScript caller may hand over that
  // are no whole number, and malformed pairs.
  for (const [call, field] of [
    [() => m.read('', 'x.txt', { format: 'nope' }), 'format'],
    [() => m.stereonetSvg(ds, { projection: 'polar' }), 'projection'],
    [() => m.stereonetSvg(ds, { size: 1e12 }), 'size'],
    [() => m.stereonetSvg(ds, { size: NaN }), 'size'],
    [() => m.stereonetSvg(ds, { size: 50 }), 'size'],
    [() => m.stereonetSvg(ds, { contour: 'kamb', grid: 2.5 }), 'grid'],
    [() => m.stereonetSvg(ds, { contour: 'kamb', levels: [2] }), 'levels'],
    [() => m.stereonetSvg(ds, { kinematic: 'toppling', slope: [60, 70] }), 'kinematic'],
    [() => m.stereonetSvg(ds, { colourBy: 'kind' }), 'colourBy'],
    [() => m.stereonetSvg(ds, { cones: [[10, 20]] }), 'cones'],
    [() => m.stereonetSvg(ds, { cones: [[10, 95, 10]] }), 'cones'],
    [() => m.stereonetSvg(faults, { stress: true, bootstrap: 1e6 }), 'bootstrap'],
    [() => m.stereonetSvg(faults, { colourBy: 'slip-tendency', magnitudes: [3, 2] }), 'magnitudes'],
    [() => m.roseSvg(ds, { classSize: 7 }), 'classSize'],
    [() => m.density(ds, { method: 'nope' }), 'method'],
    [() => m.roseSvg(ds, { classSize: Infinity }), 'classSize'],
    [() => m.analyse(ds, 'kinematic', { slope: [270] }), 'slope'],
    [() => m.analyse(ds, 'nope', {}), 'analysis'],
    [() => ds.labels('colour'), 'labels'],
    [() => m.read(42, 'x.txt', {}), 'content'],
    [() => ds.write('../', {}), 'fileName'],
    [() => ds.write('x.txt', { format: 'nope' }), 'format'],
  ]) {
    const r = call();
    assert.strictEqual(r.field, field, `${call}: ${JSON.stringify(r)}`);
  }
  faults.delete();
  assert.ok(m.analyses().some((a) => a.name === 'stress'));
  ds.delete();
  bad.delete();
  console.log('module tests passed');
}).catch((e) => { console.error(e); process.exit(1); });
