'use strict';
// The task's problem matchers over what kelvodemo-check really prints.

const assert = require('node:assert');
const path = require('node:path');
const {spawnSync} = require('node:child_process');
const {test} = require('node:test');
const manifest = require('../package.json');

const source = process.env.KELVODEMO_SOURCE;
const data = path.join(source, 'tests', 'script', 'data');

// What the Problems list would show: every line of the run offered to every matcher.
function problems(script) {
    const run = spawnSync(process.env.KELVODEMO_CHECK, [script], {encoding: 'utf8'});
    assert.ifError(run.error);
    const found = [];
    for (const line of `${run.stdout}${run.stderr}`.split('\n')) {
        for (const {severity, pattern} of manifest.contributes.problemMatchers) {
            const m = new RegExp(pattern.regexp).exec(line);
            if (!m)
                continue;
            const where = pattern.kind === 'file' ? 'file' : `${m[pattern.line]}:${m[pattern.column] ?? ''}`;
            found.push([severity, m[pattern.file], where, m[pattern.message]]);
        }
    }
    return found;
}

test('a syntax error lands on its line and column, its excerpt nowhere', () => {
    const script = path.join(data, 'error.KelvoDemo');
    assert.deepStrictEqual(problems(script), [['error', script, '4:3', 'Неправильная команда']]);
});

test('a warning that names a line lands there, the others on the script', () => {
    const script = path.join(data, 'warnings.KelvoDemo');
    assert.deepStrictEqual(problems(script), [
        ['warning', script, '5:', 'step 2 (line 5) is not the last step but has no commands'],
        ['warning', script, 'file', 'no command addresses station 2 "Idle"'],
        ...['1 "Alpha"', '2 "Idle"'].map((station) => ['warning', script, 'file',
            `station ${station} receives 0 .Next before the last step, but its scheme has 3 sections: ` +
            'its window stays at section 1 while the panel goes on to step 3']),
    ]);
});

test('a sound script leaves the Problems list empty, its summary included', () => {
    for (const script of [path.join(data, 'demo.KelvoDemo'), path.join(source, 'examples', 'three-stations.KelvoDemo')])
        assert.deepStrictEqual(problems(script), []);
});
