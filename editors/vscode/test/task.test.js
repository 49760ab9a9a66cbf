'use strict';
// The check task as VS Code gets it from the extension, against what package.json declares.

const assert = require('node:assert');
const Module = require('node:module');
const {test} = require('node:test');
const manifest = require('../package.json');

const settings = {};
const providers = {};
const folder = {name: 'demos'};
const fakeVscode = {
    Task: class {
        constructor(definition, scope, name, source, execution, problemMatchers) {
            Object.assign(this, {definition, scope, name, source, execution, problemMatchers});
        }
    },
    ProcessExecution: class {
        constructor(process, args) {
            Object.assign(this, {process, args});
        }
    },
    TaskGroup: {Build: 'build'},
    TaskScope: {Workspace: 'workspace'},
    workspace: {
        workspaceFolders: [folder],
        getConfiguration: section => ({get: key => settings[`${section}.${key}`]}),
    },
    tasks: {registerTaskProvider: (type, provider) => (providers[type] = provider)},
};
const load = Module._load;
Module._load = function (request, ...rest) {
    return request === 'vscode' ? fakeVscode : load.call(this, request, ...rest);
};
require('../extension.js').activate({subscriptions: []});

const type = manifest.contributes.taskDefinitions[0].type;
const checkerSetting = Object.keys(manifest.contributes.configuration.properties)[0];

test('the task runs the configured checker on the current file, matched as declared', () => {
    settings[checkerSetting] = '/opt/kelvodemo/kelvodemo-check';
    const [task] = providers[type].provideTasks();
    assert.deepStrictEqual({...task.execution}, {process: '/opt/kelvodemo/kelvodemo-check', args: ['${file}']});
    assert.strictEqual(task.scope, folder);
    const declared = manifest.contributes.problemMatchers.map(m => `$${m.name}`);
    assert.deepStrictEqual(task.problemMatchers, declared);
});

test('a task from tasks.json checks the script it names', () => {
    const task = providers[type].resolveTask({definition: {type, file: 'examples/a.KelvoDemo'}});
    assert.deepStrictEqual(task.execution.args, ['examples/a.KelvoDemo']);
    assert.strictEqual(task.execution.process, settings[checkerSetting]);
});
