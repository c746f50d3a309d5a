// Weighs a parcel off the page's thread: feeds the file in chunks to the core, which writes the
// table back as velastro-cli batch does; posts progress, then the bytes, messages and totals.
import { loadVelastro } from "./velastro.js";

const kChunk = 1 << 22;
const ready = loadVelastro();

onmessage = async ({ data }) => {
  try {
    await weigh(data);
  } catch (error) {
    // A file that can no longer be read, or a core that ran out of memory, ends the parcel with
    // its reason; this worker and its core end too, and the page starts a fresh one.
    const message = `the parcel could not be weighed: ${error.message ?? error}`;
    postMessage({ done: true, failed: true, status: 3, message });
    close();
  }
};

async function weigh(data) {
  const velastro = await ready;
  const { file, options, decimals, decimalMark, against } = data;
  const refused = velastro.parcel.begin(options, decimals, decimalMark, against);
  if (refused) {
    postMessage({ done: true, status: refused.status, message: refused.message });
    return;
  }
  const parts = [];
  let messages = "";
  let lastPost = 0;
  // The next chunks are read while the core weighs this one, and each chunk's output goes to
  // a Blob at once, so neither waits for the end.
  const read = (offset) => file.slice(offset, offset + kChunk).arrayBuffer();
  const reads = [read(0), read(kChunk)];
  for (let offset = 0; offset < file.size; offset += kChunk) {
    const chunk = new Uint8Array(await reads.shift());
    reads.push(read(offset + 2 * kChunk));
    const step = velastro.parcel.feed(chunk);
    parts.push(new Blob([step.bytes]));
    messages += step.message;
    if (performance.now() - lastPost > 50) {
      lastPost = performance.now();
      postMessage({ done: false, progress: (offset + chunk.length) / file.size });
    }
  }
  const last = velastro.parcel.finish();
  parts.push(new Blob([last.bytes]));
  messages += last.message;
  const blob = new Blob(parts, { type: "text/csv" });
  postMessage({ done: true, status: last.status, message: messages, blob });
}
