// The page in Debian's chromium, against velastro-cli on the same inputs: answers of every shape,
// messages, size, formulas, parcels byte for byte, offline use, accessibility and the layout
// at phone and desktop widths (screenshots for a person to look at), installability.
//
// Environment: VELASTRO_CLI (the native velastro-cli), VELASTRO_SITE (build-web/site),
// VELASTRO_SCREENSHOTS (where the screenshots go).
import assert from "node:assert/strict";
import { execFileSync, spawn } from "node:child_process";
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { after, before, test } from "node:test";
import { chromium } from "playwright-core";

const cli = process.env.VELASTRO_CLI;
const site = process.env.VELASTRO_SITE;
const shots = process.env.VELASTRO_SCREENSHOTS;
const here = new URL(".", import.meta.url).pathname;

// velastro-cli's stdout, stderr and status, as the page should show them.
function run(args, input) {
  try {
    const stdout = execFileSync(cli, args, { input, stdio: ["pipe", "pipe", "pipe"] });
    return { status: 0, stdout, stderr: "" };
  } catch (error) {
    return { status: error.status, stdout: error.stdout, stderr: error.stderr.toString() };
  }
}

let server;
let origin;
let profile;
let context;
let page;

before(async () => {
  server = spawn("node", [join(here, "../../web/serve.mjs"), site, "0"]);
  origin = await new Promise((resolve) => server.stdout.once("data", (d) => resolve(`${d}`.trim())));
  profile = mkdtempSync(join(tmpdir(), "velastro-chromium-"));
  // The system's browser only: this machine downloads none, and its network is closed.
  context = await chromium.launchPersistentContext(profile, {
    executablePath: "/usr/bin/chromium",
    headless: true,
    acceptDownloads: true,
    args: ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
      "--disable-background-networking", "--disable-component-update", "--disable-sync"],
  });
  page = context.pages()[0] ?? (await context.newPage());
  page.on("pageerror", (error) => console.error(`page error: ${error.message}`));
  await page.goto(origin);
  await page.waitForSelector("body[data-ready]");
});

after(async () => {
  await context?.close();
  server?.kill();
  if (profile) rmSync(profile, { recursive: true, force: true });
});

async function chooseShape(caption) {
  await page.getByRole("button", { name: caption, exact: true }).click();
}

async function setField(id, value) {
  const field = page.locator(`#${id}`);
  const kind = await field.evaluate((e) => (e.type === "checkbox" ? "checkbox" : e.tagName));
  if (kind === "checkbox") await field.setChecked(value === "1");
  else if (kind === "SELECT") await field.selectOption(value);
  else await field.fill(value);
}

async function fieldValue(id) {
  const field = page.locator(`#${id}`);
  if ((await field.getAttribute("type")) === "checkbox") return (await field.isChecked()) ? "1" : "";
  return field.inputValue();
}

// The page shows velastro-cli's answer line as the weight, then notes that name the tolerance,
// the range and the model with the line's values in its order ("-" where no range is measured).
function assertSameAnswer(shown, line, what) {
  const [answer, notes = ""] = shown.split(" | ");
  const [weight, ...rest] = line.split(" ");
  assert.equal(answer, rest.length === 0 ? line : weight, what);
  let at = 0;
  for (const token of rest.filter((t) => t !== "-")) {
    at = notes.indexOf(token, at);
    assert.ok(at >= 0, `${what}: '${token}' of '${line}' is not in '${notes}'`);
    at += token.length;
  }
}

// Types the measures into the fields the chosen shape shows, presses Enter, reads the answer.
async function estimate(caption, numbers, options = {}) {
  await chooseShape(caption);
  const before = {};
  for (const [id, value] of Object.entries(options)) {
    before[id] = await fieldValue(id);
    await setField(id, value);
  }
  const ids = ["length", "width", "depth"];
  if (numbers.length === 2) ids.splice(1, 1);
  for (const [i, id] of ids.entries()) await page.fill(`#${id}`, numbers[i]);
  await page.press("#depth", "Enter");
  const answer = (await page.textContent("#answer")).trim();
  const range = (await page.textContent("#answer-range")).trim();
  for (const [id, value] of Object.entries(before)) await setField(id, value);
  return range ? `${answer} | ${range}` : answer;
}

test("Oval Brilliant 6 x 4 x 3 mm reads 0.487500", async () => {
  await chooseShape("Oval Brilliant");
  await page.fill("#length", "6");
  await page.fill("#width", "4");
  await page.fill("#depth", "3");
  await page.click("#click-here");
  assert.equal((await page.textContent("#answer")).trim(), "0.487500");
});

test("every shape answers as velastro-cli estimate does, options and decimal commas included",
  async () => {
    const shapes = run(["shapes"]).stdout.toString().trim().split("\n").map((l) => l.split("\t"));
    assert.equal(shapes.length, 8);
    const rows = [];
    for (const [caption, fields] of shapes) {
      const numbers = fields.split(" ").length === 2 ? ["6.55", "3.95"] : ["7.1", "4.35", "2.9"];
      rows.push({ caption, numbers, options: {}, args: [] });
      rows.push({ caption, numbers: numbers.map((n) => n.replace(".", ",")), options: {},
        args: [], cliNumbers: numbers });
    }
    rows.push({ caption: "Round Brilliant", numbers: ["6.5", "3.9"], options: { girdle: "thick" },
      args: ["--girdle", "thick"] });
    rows.push({ caption: "Pear Brilliant", numbers: ["7.2", "4.6", "2.8"],
      options: { girdle: "Medium to Slightly Thick" }, args: ["--girdle", "Medium to Slightly Thick"] });
    rows.push({ caption: "Oval Brilliant", numbers: ["6", "4", "3"],
      options: { gem: "ruby", unit: "pt", tolerance: "5" },
      args: ["--gem", "ruby", "--unit", "pt", "--tolerance", "5"] });
    rows.push({ caption: "Round Brilliant", numbers: ["6.5", "3.95"],
      options: { model: "measured", table: "57", interval: "1" },
      args: ["--model", "measured", "--table", "57", "--interval"] });
    rows.push({ caption: "Oval Brilliant", numbers: ["8", "6", "3.6"],
      options: { model: "measured", interval: "1", tolerance: "2" },
      args: ["--model", "measured", "--interval", "--tolerance", "2"] });
    rows.push({ caption: "Heart Brilliant", numbers: ["8", "0", "3"], options: {}, args: [] });
    rows.push({ caption: "Marquise Brilliant", numbers: ["5", "10", "3"], options: {}, args: [] });
    for (const row of rows) {
      // The answer line, or for measures no formula takes the reason velastro-cli gives.
      const cli = run(["estimate", row.caption, ...(row.cliNumbers ?? row.numbers), ...row.args]);
      const expected = cli.stdout.toString().trim() ||
        cli.stderr.trim().replace(/^velastro-cli estimate: /, "");
      const actual = await estimate(row.caption, row.numbers, row.options);
      const what = `${row.caption} ${row.numbers.join(" ")} ${row.args}`;
      if (cli.stdout.length > 0) assertSameAnswer(actual, expected, what);
      else assert.equal(actual, expected, what);
    }
  });

test("bad input shows velastro-cli's own message", async () => {
  for (const [caption, numbers, options, args] of [
    ["Pear Brilliant", ["7", "abc", "3"], {}, []],
    ["Round Brilliant", ["6.5", ""], {}, []],
    ["Oval Brilliant", ["6", "4", "3"], { tolerance: "120" }, ["--tolerance", "120"]],
    ["Oval Brilliant", ["6", "4", "3"], { girdle: "thickish" }, ["--girdle", "thickish"]],
    ["Oval Brilliant", ["6", "4", "3"], { sg: "0" }, ["--sg", "0"]],
    ["Round Brilliant", ["6.5", "3.9"], { table: "57" }, ["--table", "57"]],
    ["Oval Brilliant", ["1e999", "4", "3"], {}, []],
  ]) {
    const { status, stderr } = run(["estimate", caption, ...numbers, ...args]);
    assert.equal(status, 2);
    const actual = await estimate(caption, numbers, options);
    assert.equal(actual, stderr.trim().replace(/^velastro-cli estimate: /, ""));
  }
});

test("size from weight and a formula answer as velastro-cli size and eval do", async () => {
  await chooseShape("Oval Brilliant");
  await page.fill("#weight", "0,5");
  await page.fill("#ratio", "1.5");
  await page.click("text=Find the size");
  const size = run(["size", "oval", "0.5", "--ratio", "1.5"]).stdout.toString().trim();
  assert.equal((await page.textContent("#size-answer")).trim(), size);

  await page.fill("#length", "2");
  await page.fill("#width", "0");
  await page.fill("#depth", "4");
  for (const formula of ["B/F", "  B+Q*2", "(B+F)/2*(B+F)/2*G*.0065", "sqr(G)^B"]) {
    await page.fill("#formula", formula);
    await page.press("#formula", "Enter");
    // The answer line, then for a syntax error the formula and a caret under where it stopped.
    const [answer, , caret] = run(["eval", "-B", "2", "-F", "0", "-G", "4", "--", formula])
      .stdout.toString().split("\n");
    assert.equal(await page.textContent("#formula-answer"), answer);
    const selected = await page.$eval("#formula", (e) => e.value.slice(e.selectionStart,
      e.selectionEnd));
    assert.equal(selected, caret ? formula.trim()[caret.length - 1] : "", formula);
  }
});

// Weighs a file on the page and returns the bytes it offers for download.
async function weigh(path) {
  await page.setInputFiles("#parcel-file", path);
  await page.waitForSelector("#parcel-download:not([hidden])");
  const [download] = await Promise.all([page.waitForEvent("download"),
    page.click("#parcel-download")]);
  const bytes = readFileSync(await download.path());
  await page.setInputFiles("#parcel-file", []);
  return bytes;
}

test("a parcel downloads the very bytes velastro-cli batch writes, German Excel export included",
  async () => {
    for (const file of [join(here, "../cli/parcel.csv"), join(here, "parcel_de.csv")]) {
      const expected = run(["batch", file]);
      const bytes = await weigh(file);
      assert.ok(bytes.equals(expected.stdout), `${file}: the downloaded bytes differ`);
      const totals = expected.stderr.trim().split("\n").at(-1).replace(/^velastro-cli batch: /, "");
      assert.match(await page.textContent("#parcel-totals"), new RegExp(totals));
    }
    // Compared with a column of weights, as --against does (here the lot counts stand in).
    await page.fill("#against", "count");
    const file = join(here, "../cli/parcel.csv");
    const expected = run(["batch", file, "--against", "count"]).stdout;
    const bytes = await weigh(file);
    await page.fill("#against", "");
    assert.ok(bytes.equals(expected), "--against count: the downloaded bytes differ");
  });

test("a parcel file gone while it is weighed ends with the reason, and the next one weighs",
  async () => {
    const folder = mkdtempSync(join(tmpdir(), "velastro-parcel-"));
    const file = join(folder, "stock.csv");
    writeFileSync(file, "shape,length,depth\n" + "round,6.5,3.9\n".repeat(3000000));
    try {
      await page.setInputFiles("#parcel-file", file);
      rmSync(file);
      await page.waitForSelector("#parcel-totals.error");
      assert.match(await page.textContent("#parcel-totals"), /^the parcel could not be weighed: /);
      assert.ok(await page.isHidden("#parcel-download"));
      await page.setInputFiles("#parcel-file", []);
      const expected = run(["batch", join(here, "parcel_de.csv")]).stdout;
      assert.ok((await weigh(join(here, "parcel_de.csv"))).equals(expected));
    } finally {
      rmSync(folder, { recursive: true, force: true });
    }
  });

test("reloaded with the network cut, the page still answers and weighs", async () => {
  await page.evaluate(() => navigator.serviceWorker.ready);
  await context.setOffline(true);
  try {
    await page.reload();
    await page.waitForSelector("body[data-ready]");
    assert.equal(await estimate("Oval Brilliant", ["6", "4", "3"]), "0.487500");
    const expected = run(["batch", join(here, "parcel_de.csv")]).stdout;
    assert.ok((await weigh(join(here, "parcel_de.csv"))).equals(expected));
  } finally {
    await context.setOffline(false);
  }
});

test("installable: chromium finds nothing missing in the manifest and service worker", async () => {
  await page.evaluate(() => navigator.serviceWorker.ready);
  const session = await context.newCDPSession(page);
  const { installabilityErrors } = await session.send("Page.getInstallabilityErrors");
  await session.detach();
  assert.deepEqual(installabilityErrors, []);
});

test("no serious or critical accessibility violation, answer shown", async () => {
  await estimate("Oval Brilliant", ["6", "4", "3"]);
  await page.addScriptTag({ path: join(here, "node_modules/axe-core/axe.min.js") });
  const results = await page.evaluate(() => axe.run());
  const bad = results.violations.filter((v) => ["serious", "critical"].includes(v.impact));
  assert.deepEqual(bad.map((v) => `${v.id}: ${v.nodes.map((n) => n.target).join(" ")}`), []);
});

test("fits a 360-pixel phone and a desktop; screenshots of both", async () => {
  await estimate("Marquise Brilliant", ["10.2", "5.05", "3.1"], { tolerance: "5" });
  for (const [name, width, height] of [["phone", 360, 740], ["desktop", 1280, 900]]) {
    await page.setViewportSize({ width, height });
    const scrollWidth = await page.evaluate(() => document.documentElement.scrollWidth);
    assert.ok(scrollWidth <= width, `${name}: the page is ${scrollWidth} pixels wide`);
    if (shots) await page.screenshot({ path: join(shots, `web-${name}.png`), fullPage: true });
  }
});
