// Weighs a parcel off the page's thread: reads the file in chunks into the core, which writes
// the table back as velastro-cli batch does; posts progress, then the bytes and the totals.
import { loadVelastro } from "./velastro.js";

const kChunk = 1 << 20;
let progressBase = 0;
let fileSize = 1;
let lastPost = 0;

// Reading the file is the first half of the bar, weighing it the second.
function postProgress(fraction) {
  const now = performance.now();
  if (now - lastPost < 50) return;
  lastPost = now;
  postMessage({ done: false, progress: fraction });
}

const ready = loadVelastro({
  onParcelProgress: (bytes) => postProgress(progressBase + bytes / fileSize / 2),
});

onmessage = async ({ data }) => {
  const velastro = await ready;
  const { file, options, decimals, decimalMark } = data;
  const refused = velastro.parcel.begin(options, decimals, decimalMark);
  if (refused) {
    postMessage({ done: true, status: refused.status, message: refused.message });
    return;
  }
  fileSize = Math.max(file.size, 1);
  progressBase = 0;
  for (let offset = 0; offset < file.size; offset += kChunk) {
    const bytes = new Uint8Array(await file.slice(offset, offset + kChunk).arrayBuffer());
    velastro.parcel.feed(bytes);
    postProgress((offset + bytes.length) / fileSize / 2);
  }
  progressBase = 0.5;
  const result = velastro.parcel.finish();
  postMessage(
    { done: true, status: result.status, message: result.message, bytes: result.bytes.buffer },
    [result.bytes.buffer],
  );
};
