'use strict';
// The project's own scripts, as presenters write them, show no error but the one they hold.

const assert = require('node:assert');
const fs = require('node:fs');
const path = require('node:path');
const {test} = require('node:test');
const {loadGrammar, tokenize} = require('../tools/grammar.js');

const source = process.env.KELVODEMO_SOURCE;

// "LINE: TEXT" of every token the grammar marks as an error.
async function errors(script) {
    const {grammar} = await loadGrammar();
    const text = new TextDecoder('windows-1251').decode(fs.readFileSync(path.join(source, script)));
    return tokenize(grammar, text).flatMap((tokens, i) => tokens
        .filter(t => t.scopes.some(s => s.startsWith('invalid.')))
        .map(t => `${i + 1}: ${t.text}`));
}

test('the example and the test scripts colour as they read', async () => {
    for (const script of ['examples/three-stations.KelvoDemo', 'tests/script/data/demo.KelvoDemo',
                          'tests/script/data/warnings.KelvoDemo'])
        assert.deepStrictEqual(await errors(script), [], script);
    assert.deepStrictEqual(await errors('tests/script/data/error.KelvoDemo'), ['4: .Bogus']);
});
