'use strict';
// What the editor toggles as a comment is a comment to the grammar.

const assert = require('node:assert');
const {test} = require('node:test');
const {loadGrammar, tokenize} = require('../tools/grammar.js');
const {comments} = require('../language-configuration.json');

test('the comment toggles write comments', async () => {
    const {grammar} = await loadGrammar();
    const [open, close] = comments.blockComment;
    for (const text of [`${comments.lineComment} Alpha.Sync;`, `${open} Alpha.Sync; ${close}`]) {
        for (const token of tokenize(grammar, text)[0])
            assert.ok(token.scopes.some(s => s.startsWith('comment.')), `${text}: ${token.text}`);
    }
});
