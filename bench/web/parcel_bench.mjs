// A parcel of ROWS stones (bench/make_parcel.py) weighed in the page's worker in Debian's
// chromium against velastro-cli batch on the same machine: interleaved rounds, medians, and the
// downloaded bytes checked against velastro-cli's. Also the page's weight, gzip -9 compressed.
// Usage: node parcel_bench.mjs PATH-TO-velastro-cli PATH-TO-build-web/site [ROWS (1000000)] [ROUNDS (3)]
import { execFileSync, spawn, spawnSync } from "node:child_process";
import { mkdtempSync, openSync, closeSync, readFileSync, readdirSync, rmSync, writeFileSync }
  from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { performance } from "node:perf_hooks";
import { gzipSync } from "node:zlib";
import { chromium } from "playwright-core";

const [cli, site, rowsArg = "1000000", roundsArg = "3"] = process.argv.slice(2);
const rounds = Number(roundsArg);
const here = new URL(".", import.meta.url).pathname;
const work = mkdtempSync(join(tmpdir(), "velastro-parcel-"));
const parcel = join(work, "parcel.csv");
writeFileSync(parcel, execFileSync("python3", [join(here, "../make_parcel.py"), rowsArg],
  { maxBuffer: 1 << 30 }));

// The page's weight: each file as a server would send it compressed.
let total = 0;
for (const name of readdirSync(site).sort()) {
  const size = gzipSync(readFileSync(join(site, name)), { level: 9 }).length;
  total += size;
  console.log(`${name.padEnd(22)} ${String(size).padStart(8)} bytes gzip -9`);
}
console.log(`${"the page".padEnd(22)} ${String(total).padStart(8)} bytes gzip -9 (${(total / 1024)
  .toFixed(1)} KiB)`);

function native() {
  const out = openSync(join(work, "native.csv"), "w");
  const start = performance.now();
  const run = spawnSync(cli, ["batch", parcel], { stdio: ["ignore", out, "ignore"] });
  const ms = performance.now() - start;
  closeSync(out);
  if (run.status !== 0) throw new Error(`velastro-cli batch exited with ${run.status}`);
  return ms;
}

const server = spawn("node", [join(here, "../../web/serve.mjs"), site, "0"]);
const origin = await new Promise((resolve) => server.stdout.once("data", (d) => resolve(`${d}`.trim())));
const profile = mkdtempSync(join(tmpdir(), "velastro-chromium-"));
const context = await chromium.launchPersistentContext(profile, {
  executablePath: "/usr/bin/chromium",
  headless: true,
  acceptDownloads: true,
  args: ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
    "--disable-background-networking", "--disable-component-update", "--disable-sync"],
});
const page = context.pages()[0] ?? (await context.newPage());
await page.goto(origin);
await page.waitForSelector("body[data-ready]");

// From the page's change event to the download offered, timed in the page: the worker reads
// the file, weighs it and makes the output's Blob (handing the file to the page is not timed).
async function browser() {
  await page.setInputFiles("#parcel-file", []);
  await page.evaluate(() => {
    const link = document.getElementById("parcel-download");
    link.hidden = true;
    window.parcelTimes = {};
    document.getElementById("parcel-file").addEventListener("change", () => {
      window.parcelTimes.start = performance.now();
    }, { capture: true, once: true });
    new MutationObserver((_, observer) => {
      if (link.hidden) return;
      window.parcelTimes.end = performance.now();
      observer.disconnect();
    }).observe(link, { attributes: true });
  });
  await page.setInputFiles("#parcel-file", parcel);
  await page.waitForSelector("#parcel-download:not([hidden])", { timeout: 600000 });
  return page.evaluate(() => window.parcelTimes.end - window.parcelTimes.start);
}

const times = { native: [], worker: [] };
for (let round = 0; round < rounds; ++round) {
  times.native.push(native());
  times.worker.push(await browser());
}
const [download] = await Promise.all([page.waitForEvent("download"), page.click("#parcel-download")]);
const same = readFileSync(await download.path()).equals(readFileSync(join(work, "native.csv")));
await context.close();
server.kill();
rmSync(profile, { recursive: true, force: true });
rmSync(work, { recursive: true, force: true });

const median = (values) => values.slice().sort((a, b) => a - b)[Math.floor(values.length / 2)];
const n = median(times.native);
const w = median(times.worker);
console.log(`${rowsArg} rows, median of ${rounds} interleaved rounds`);
console.log(`velastro-cli batch    ${(n / 1000).toFixed(2)} s  (${times.native.map((t) => (t / 1000).toFixed(2)).join(" ")})`);
console.log(`the page's worker     ${(w / 1000).toFixed(2)} s  (${times.worker.map((t) => (t / 1000).toFixed(2)).join(" ")})  ${(w / n).toFixed(2)}x velastro-cli`);
console.log(`downloaded bytes ${same ? "equal" : "DIFFER FROM"} velastro-cli's`);
if (!same) process.exitCode = 1;
