// The WebAssembly engine against the JavaScript expression evaluators a web developer would reach
// for (mathjs compiled expressions, expr-eval), side by side in one node process: the eight shape
// formulas as velastro-cli shapes lists them, each evaluated for the same stones. Interleaved
// rounds, medians; the three must agree on every weight (mathjs and expr-eval to rounding).
// Usage: node engine_bench.mjs PATH-TO-velastro-core.mjs [STONES (200000)] [ROUNDS (7)]
import { createRequire } from "node:module";
import { readFileSync } from "node:fs";
import { dirname } from "node:path";
import { performance } from "node:perf_hooks";
import { Parser } from "expr-eval";
import { compile } from "mathjs";

const [modulePath, stonesArg = "200000", roundsArg = "7"] = process.argv.slice(2);
const stones = Number(stonesArg);
const rounds = Number(roundsArg);

// emscripten 3.1.6's ES module reads these as globals under node.
globalThis.__dirname = dirname(modulePath);
globalThis.require = createRequire(import.meta.url);
const { default: createVelastroCore } = await import(modulePath);
const core = await createVelastroCore({
  wasmBinary: readFileSync(modulePath.replace(/\.mjs$/, ".wasm")),
});

const shapes = core.UTF8ToString(core._velastro_list(0)).trim().split("\n")
  .map((line) => line.split("\t")[2]);
const loadFormula = core.cwrap("velastro_load_formula", null, ["number", "string"]);
shapes.forEach((formula, slot) => loadFormula(slot, formula));
const evaluate = core._velastro_evaluate;

// The same stones for all three: a shape, length, width and depth each.
const slot = new Int32Array(stones);
const B = new Float64Array(stones);
const F = new Float64Array(stones);
const G = new Float64Array(stones);
let state = 12345;
for (let i = 0; i < stones; ++i) {
  state = (state * 1103515245 + 12345) % 2147483648;
  slot[i] = state % 8;
  F[i] = 2 + (state % 900) / 100;
  B[i] = F[i] * (1 + (state % 97) / 100);
  G[i] = F[i] * (0.45 + (state % 25) / 100);
}

const mathjs = shapes.map((formula) => compile(formula));
const exprEval = shapes.map((formula) => new Parser().parse(formula));
const scope = { B: 0, F: 0, G: 0 };

const runners = {
  webassembly() {
    let sum = 0;
    for (let i = 0; i < stones; ++i) sum += evaluate(slot[i], B[i], F[i], G[i]);
    return sum;
  },
  mathjs() {
    let sum = 0;
    for (let i = 0; i < stones; ++i) {
      scope.B = B[i]; scope.F = F[i]; scope.G = G[i];
      sum += mathjs[slot[i]].evaluate(scope);
    }
    return sum;
  },
  "expr-eval"() {
    let sum = 0;
    for (let i = 0; i < stones; ++i) {
      scope.B = B[i]; scope.F = F[i]; scope.G = G[i];
      sum += exprEval[slot[i]].evaluate(scope);
    }
    return sum;
  },
};

// Every stone's weight alike, before any timing.
for (let i = 0; i < 1000; ++i) {
  const vars = { B: B[i], F: F[i], G: G[i] };
  const w = evaluate(slot[i], B[i], F[i], G[i]);
  for (const [name, other] of [["mathjs", mathjs[slot[i]].evaluate(vars)],
    ["expr-eval", exprEval[slot[i]].evaluate(vars)]]) {
    if (Math.abs(w - other) > 1e-12 * Math.abs(w)) {
      throw new Error(`${name} differs on ${shapes[slot[i]]}: ${other} against ${w}`);
    }
  }
}

const times = Object.fromEntries(Object.keys(runners).map((name) => [name, []]));
for (let round = 0; round < rounds; ++round) {
  for (const [name, run] of Object.entries(runners)) {
    const start = performance.now();
    run();
    times[name].push(performance.now() - start);
  }
}
const median = (values) => values.slice().sort((a, b) => a - b)[Math.floor(values.length / 2)];
const wasm = median(times.webassembly);
console.log(`${stones} stones of the eight shapes, median of ${rounds} interleaved rounds`);
for (const name of Object.keys(runners)) {
  const ms = median(times[name]);
  console.log(`${name.padEnd(12)} ${ms.toFixed(1).padStart(8)} ms  ${(stones / ms / 1000).toFixed(2)
    .padStart(7)} M evaluations/s  ${(ms / wasm).toFixed(2).padStart(6)}x the WebAssembly time`);
}
