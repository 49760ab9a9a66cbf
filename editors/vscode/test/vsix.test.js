'use strict';
// The packaged extension: the manifest as written, with the product's version, and no more
// files than the editor needs.

const assert = require('node:assert');
const fs = require('node:fs');
const path = require('node:path');
const {test} = require('node:test');
const yauzl = require('yauzl');
const manifest = require('../package.json');

function readVsix(file) {
    return new Promise((resolve, reject) => {
        yauzl.open(file, {lazyEntries: true}, (error, zip) => {
            if (error)
                return reject(error);
            const entries = {};
            zip.on('entry', entry => zip.openReadStream(entry, (err, stream) => {
                if (err)
                    return reject(err);
                const chunks = [];
                stream.on('data', chunk => chunks.push(chunk));
                stream.on('end', () => {
                    entries[entry.fileName] = Buffer.concat(chunks).toString('utf8');
                    zip.readEntry();
                });
            }));
            zip.on('end', () => resolve(entries));
            zip.on('error', reject);
            zip.readEntry();
        });
    });
}

test('the .vsix holds the extension under the version of the build', async () => {
    const entries = await readVsix(process.env.KELVODEMO_VSIX);
    const cmake = fs.readFileSync(path.join(process.env.KELVODEMO_SOURCE, 'CMakeLists.txt'), 'utf8');
    const version = /project\(KelvoDemo VERSION ([0-9.]+)/.exec(cmake)[1];
    assert.deepStrictEqual(JSON.parse(entries['extension/package.json']), {...manifest, version});
    assert.deepStrictEqual(Object.keys(entries).filter(name => name.startsWith('extension/')).sort(), [
        'extension/extension.js',
        'extension/language-configuration.json',
        'extension/package.json',
        'extension/readme.md',
        'extension/syntaxes/kelvodemo.tmLanguage.json',
    ]);
});
