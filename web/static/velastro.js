// The WebAssembly core for the page and its worker: each call hands texts to the C++ binding
// and returns what the core answered. Nothing here computes or words an answer itself.
import createVelastroCore from "./velastro-core.mjs";

// Loads the core; options go to the module (node passes the wasm bytes as wasmBinary).
export async function loadVelastro(options = {}) {
  const core = await createVelastroCore(options);
  const call = (name, argTypes) => core.cwrap(`velastro_${name}`, "number", argTypes);
  const fn = {
    list: call("list", ["number"]),
    estimate: call("estimate", ["string", "string", "string", "number"]),
    size: call("size", ["string", "string", "string", "string", "string", "number"]),
    evaluate: call("eval", ["string", "string"]),
    status: call("status", []),
    position: call("position", []),
    message: call("message", []),
    outputSize: call("output_size", []),
    parcelBegin: call("parcel_begin", ["string", "number", "number", "string"]),
    parcelRoom: call("parcel_room", ["number"]),
    parcelFeed: call("parcel_feed", ["number", "number"]),
    parcelFinish: call("parcel_finish", []),
  };
  const text = (pointer) => core.UTF8ToString(pointer);
  // What a command answered: its exit status, its output and its message.
  const answer = (pointer) => ({
    status: fn.status(),
    output: text(pointer),
    message: text(fn.message()),
  });
  // A parcel step's answer: the output bytes its rows completed, and the messages.
  const bytes = (pointer) => ({
    status: fn.status(),
    bytes: core.HEAPU8.slice(pointer, pointer + fn.outputSize()),
    message: text(fn.message()),
  });
  const rows = (pointer) =>
    text(pointer)
      .split("\n")
      .filter((line) => line !== "")
      .map((line) => line.split("\t"));
  // The stone options in the binding's order; absent ones are empty.
  const stoneOptions = (o = {}) =>
    [o.girdle, o.gem, o.sg, o.unit, o.tolerance, o.model, o.table, o.interval ? "1" : ""]
      .map((v) => v ?? "").join("\t");

  return {
    core,
    shapes: () => rows(fn.list(0)).map(([caption, fields, formula]) => ({
      caption,
      fields: fields.split(" "),
      formula,
    })),
    gems: () => rows(fn.list(1)).map(([name, sg]) => ({ name, sg })),
    girdles: () => rows(fn.list(2)).map(([name, abbreviation]) => ({ name, abbreviation })),
    units: () => rows(fn.list(3)).map(([name]) => name),
    // velastro-cli estimate SHAPE NUMBERS... [--decimals N] [stone options]
    estimate: (shape, numbers, options, decimals = 6) =>
      answer(fn.estimate(shape, numbers.join("\t"), stoneOptions(options), decimals)),
    // velastro-cli size SHAPE WEIGHT [--depth-pct] [--ratio] [--decimals N] [stone options]
    size: (shape, weight, depthPct, ratio, options, decimals = 2) =>
      answer(fn.size(shape, weight, depthPct ?? "", ratio ?? "", stoneOptions(options), decimals)),
    // velastro-cli eval [-B ..] FORMULA: the answer text; position: where reading stopped, or 0.
    evaluate(formula, letters = []) {
      const result = answer(fn.evaluate(formula, letters.join("\t")));
      return { ...result, position: fn.position() };
    },
    // velastro-cli batch, fed in chunks: begin (an answer when an option is refused), feed
    // Uint8Array chunks, finish; feed and finish give the bytes written so far and the messages.
    parcel: {
      begin: (options, decimals = 6, decimalMark = 0, against = "") =>
        fn.parcelBegin(stoneOptions(options), decimals, decimalMark, against) === 1
          ? null
          : answer(0),
      feed(chunk) {
        const room = fn.parcelRoom(chunk.length);
        core.HEAPU8.set(chunk, room);
        return bytes(fn.parcelFeed(room, chunk.length));
      },
      finish: () => bytes(fn.parcelFinish()),
    },
  };
}
