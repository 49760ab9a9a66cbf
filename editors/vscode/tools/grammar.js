'use strict';
// The extension's grammar in vscode-textmate, the engine that colours it in VS Code.

const fs = require('node:fs');
const path = require('node:path');
const textmate = require('vscode-textmate');
const oniguruma = require('vscode-oniguruma');

const GRAMMAR = path.join(__dirname, '..', 'syntaxes', 'kelvodemo.tmLanguage.json');

let onigLib;

function loadOniguruma() {
    // The engine's WebAssembly may be loaded only once per process.
    onigLib ??= oniguruma
        .loadWASM(fs.readFileSync(require.resolve('vscode-oniguruma/release/onig.wasm')))
        .then(() => ({
            createOnigScanner: patterns => new oniguruma.OnigScanner(patterns),
            createOnigString: text => new oniguruma.OnigString(text),
        }));
    return onigLib;
}

// The grammar, and with a theme ({name, settings} as vscode-textmate takes it) the colour map
// that the tokens' metadata points into.
async function loadGrammar(theme) {
    const registry = new textmate.Registry({
        onigLib: loadOniguruma(),
        loadGrammar: async () => textmate.parseRawGrammar(fs.readFileSync(GRAMMAR, 'utf8'), GRAMMAR),
        theme,
    });
    const grammar = await registry.loadGrammar('source.kelvodemo');
    return {grammar, colorMap: registry.getColorMap()};
}

// Every line's tokens, each {text, scopes}.
function tokenize(grammar, text) {
    let state = textmate.INITIAL;
    return text.split(/\r?\n/).map(line => {
        const result = grammar.tokenizeLine(line, state);
        state = result.ruleStack;
        return result.tokens.map(t => ({text: line.slice(t.startIndex, t.endIndex), scopes: t.scopes}));
    });
}

module.exports = {loadGrammar, tokenize};
