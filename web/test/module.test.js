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

  // Refused options come back as {error, field}, not exceptions.
  assert.strictEqual(m.read('', 'x.txt', { format: 'nope' }).field, 'format');
  assert.strictEqual(m.stereonetSvg(ds, { projection: 'polar' }).field, 'projection');
  assert.ok(m.analyses().some((a) => a.name === 'stress'));
  ds.delete();
  bad.delete();
  console.log('module tests passed');
}).catch((e) => { console.error(e); process.exit(1); });
