'use strict';
// The check task: kelvodemo-check on the current script, its errors and warnings matched into
// the Problems list by the matchers that package.json declares.

const vscode = require('vscode');

const TASK_TYPE = 'kelvodemo';
const MATCHERS = ['$kelvodemo-check', '$kelvodemo-check-line-warning', '$kelvodemo-check-warning'];

function checkTask(definition, scope) {
    const checker = vscode.workspace.getConfiguration('kelvodemo').get('checkerPath');
    // VS Code substitutes ${file} when the task starts, so the task follows the active editor.
    const script = definition.file || '${file}';
    const name = definition.file ? `check ${definition.file}` : 'check the current script';
    const task = new vscode.Task(definition, scope, name, TASK_TYPE,
                                 new vscode.ProcessExecution(checker || 'kelvodemo-check', [script]),
                                 MATCHERS);
    task.group = vscode.TaskGroup.Build;
    return task;
}

function defaultScope() {
    const folders = vscode.workspace.workspaceFolders;
    return folders && folders.length > 0 ? folders[0] : vscode.TaskScope.Workspace;
}

function activate(context) {
    context.subscriptions.push(vscode.tasks.registerTaskProvider(TASK_TYPE, {
        provideTasks: () => [checkTask({type: TASK_TYPE}, defaultScope())],
        // A task written into tasks.json comes back here to get its command line.
        resolveTask: task => checkTask(task.definition, task.scope || defaultScope()),
    }));
}

module.exports = {activate, deactivate() {}};
