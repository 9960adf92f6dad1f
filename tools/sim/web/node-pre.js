// Runs before the simulator starts under node.
// Node's own fetch would be taken for the browser's and fail on a file path: the module
// loads its .wasm from the file system instead.
var fetch = undefined;
// The program sees the real environment, as the native one does.
Module['preRun'] = Module['preRun'] || [];
Module['preRun'].push(function () { Object.assign(ENV, process.env); });
