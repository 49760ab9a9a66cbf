'use strict';
// Draws a script as the extension's grammar colours it in VS Code's Dark+ theme: vscode-textmate
// gives every token its colour, headless Chromium (Debian's chromium) turns the page into a PNG
// and ImageMagick's convert reduces it to a palette.
//
//   node tools/picture.js SCRIPT OUT.png [FIRST-LAST]
//
// SCRIPT is read as code page 1251; FIRST-LAST picks its lines (from 1).

const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const {execFileSync} = require('node:child_process');
const {loadGrammar} = require('./grammar.js');
const {INITIAL} = require('vscode-textmate');

const LINE_HEIGHT = 18;
const WIDTH = 1000;
const FONT_STYLE = {1: 'font-style:italic', 2: 'font-weight:bold', 4: 'text-decoration:underline'};

async function darkPlus() {
    const {default: theme} = await import('@shikijs/themes/dark-plus');
    const base = {foreground: theme.colors['editor.foreground'], background: theme.colors['editor.background']};
    return {name: theme.name, settings: [{settings: base}, ...theme.tokenColors]};
}

function escapeHtml(text) {
    return text.replace(/[&<>"]/g, c => ({'&': '&amp;', '<': '&lt;', '>': '&gt;', '"': '&quot;'})[c]);
}

// One <div> per line: spans coloured from the tokens' metadata (foreground in bits 15 to 23,
// font style in bits 11 to 14).
function colouredLines(grammar, colorMap, lines, first) {
    let state = INITIAL;
    return lines.map((line, i) => {
        const result = grammar.tokenizeLine2(line, state);
        state = result.ruleStack;
        let html = '';
        for (let t = 0; t < result.tokens.length; t += 2) {
            const start = result.tokens[t];
            const end = t + 2 < result.tokens.length ? result.tokens[t + 2] : line.length;
            const meta = result.tokens[t + 1];
            const style = [`color:${colorMap[(meta >>> 15) & 0x1ff]}`];
            for (const [bit, css] of Object.entries(FONT_STYLE))
                if ((meta >>> 11) & bit)
                    style.push(css);
            html += `<span style="${style.join(';')}">${escapeHtml(line.slice(start, end))}</span>`;
        }
        return `<div><i>${first + i}</i>${html}</div>`;
    });
}

function page(title, body, colorMap) {
    return `<!doctype html><meta charset="utf-8"><style>
body { margin: 0; background: ${colorMap[2]}; font: 13px/${LINE_HEIGHT}px "DejaVu Sans Mono", monospace; }
header { background: #252526; color: #fff; font-family: "DejaVu Sans", sans-serif; padding: 8px 14px;
         border-top: 2px solid #0078d4; width: max-content; }
main { padding: 6px 0; white-space: pre; overflow: hidden; }
i { display: inline-block; width: 44px; padding-right: 22px; text-align: right; color: #6e7681;
    font-style: normal; }
</style><header>${escapeHtml(title)}</header><main>${body.join('')}</main>`;
}

function screenshot(html, height, out) {
    const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'kelvodemo-picture-'));
    try {
        fs.writeFileSync(path.join(dir, 'page.html'), html);
        const shot = path.join(dir, 'shot.png');
        execFileSync('chromium', [
            '--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
            '--disable-background-networking', '--disable-component-update', '--disable-sync',
            `--user-data-dir=${path.join(dir, 'profile')}`, '--hide-scrollbars',
            '--force-device-scale-factor=1', `--window-size=${WIDTH},${height}`,
            `--screenshot=${shot}`, `file://${path.join(dir, 'page.html')}`,
        ], {stdio: 'ignore'});
        execFileSync('convert', [shot, '-colors', '64', `PNG8:${out}`]);
    } finally {
        fs.rmSync(dir, {recursive: true, force: true});
    }
}

async function main() {
    const [script, out, range] = process.argv.slice(2);
    if (!script || !out) {
        console.error('usage: node tools/picture.js SCRIPT OUT.png [FIRST-LAST]');
        process.exit(2);
    }
    const all = new TextDecoder('windows-1251').decode(fs.readFileSync(script)).split(/\r?\n/);
    const [first, last] = range ? range.split('-').map(Number) : [1, all.length];
    // The lines before the first one still set the grammar's state.
    const {grammar, colorMap} = await loadGrammar(await darkPlus());
    const lines = colouredLines(grammar, colorMap, all.slice(0, last), 1).slice(first - 1);
    const height = 36 + 12 + lines.length * LINE_HEIGHT;
    screenshot(page(path.basename(script), lines, colorMap), height, out);
    console.log(`${out}: lines ${first} to ${last} of ${script}`);
}

main().catch(error => {
    console.error(error);
    process.exit(1);
});
