// The page: shape buttons, measures, options, size, formula and parcel, each handed to the core
// (velastro.js) as velastro-cli would take them, its answers shown as it prints them.
import { loadVelastro } from "./velastro.js";

const $ = (id) => document.getElementById(id);
const velastro = await loadVelastro();
let shape = null; // the chosen shape's record from the core

// velastro-cli's messages start with the program and subcommand, which the page has no use for.
const plainMessage = (message) => message.trim().replace(/^velastro-cli \w+: /, "");

function stoneOptions() {
  return {
    girdle: $("girdle").value.trim(),
    gem: $("gem").value,
    sg: $("sg").value.trim(),
    unit: $("unit").value,
    tolerance: $("tolerance").value.trim(),
    model: $("model").value,
    table: $("table").value.trim(),
    interval: $("interval").checked,
  };
}

function fillSelect(list, items) {
  for (const [value, text] of items) list.append(new Option(text, value));
}

function chooseShape(record, button) {
  shape = record;
  for (const other of $("shapes").querySelectorAll("button")) {
    const chosen = other === button;
    other.setAttribute("aria-pressed", String(chosen));
    other.querySelector("svg").classList.toggle("selected", chosen);
  }
  // As the window: the fields the formula needs, the first one named as the shape names it.
  $("length-label").textContent = record.fields[0];
  $("width-field").hidden = !record.fields.includes("WIDTH");
  $("answer").textContent = "";
  $("answer-unit").textContent = "";
  $("answer-range").textContent = "";
}

function addShapeButtons() {
  for (const record of velastro.shapes()) {
    const button = document.createElement("button");
    button.type = "button";
    button.className = "shape";
    button.setAttribute("aria-pressed", "false");
    const cut = record.caption.split(" ")[0].toLowerCase();
    button.append($(`cut-${cut}`).content.cloneNode(true), record.caption);
    button.addEventListener("click", () => chooseShape(record, button));
    $("shapes").append(button);
  }
}

function measures() {
  const fields = ["length", "width", "depth"].filter((id) => !$(`${id}-field`)?.hidden);
  return fields.map((id) => $(id).value.trim());
}

function showAnswer(result) {
  const answer = $("answer");
  answer.classList.toggle("error", result.status !== 0);
  $("answer-unit").textContent = "";
  $("answer-range").textContent = "";
  if (result.status === 2) {
    answer.textContent = plainMessage(result.message);
    return;
  }
  // The answer line: the weight, then as the options ask the tolerance's low and high, the
  // range of real stones ("- -" where none is measured) and the model's name.
  const [weight, ...rest] = result.output.trim().split(" ");
  // Status 1: the engine's error text as the window shows it, or why these are no measures.
  answer.textContent = result.status === 0 ? weight
    : result.output.trim() || plainMessage(result.message);
  if (result.status !== 0) return;
  $("answer-unit").textContent = $("unit").value;
  const options = stoneOptions();
  const notes = [];
  if (options.tolerance) notes.push(`tolerance ${rest.shift()} to ${rest.shift()}`);
  if (options.interval) {
    const [low, high] = [rest.shift(), rest.shift()];
    notes.push(low === "-" ? "no range measured for this model" : `90 % of stones ${low} to ${high}`);
  }
  if (rest.length > 0) notes.push(`model ${rest.join(" ")}`);
  $("answer-range").textContent = notes.join(" · ");
}

$("stone").addEventListener("submit", (event) => {
  event.preventDefault();
  showAnswer(velastro.estimate(shape ? shape.caption : "", measures(), stoneOptions()));
});

$("size-form").addEventListener("submit", (event) => {
  event.preventDefault();
  const result = velastro.size(shape ? shape.caption : "", $("weight").value.trim(),
    $("depth-pct").value.trim(), $("ratio").value.trim(), stoneOptions());
  $("size-answer").classList.toggle("error", result.status !== 0);
  $("size-answer").textContent = result.status === 0 ? result.output.trim()
    : plainMessage(result.message || result.output);
});

$("formula-form").addEventListener("submit", (event) => {
  event.preventDefault();
  const letters = ["length", "width", "depth"].map((id) => $(id).value.trim());
  const field = $("formula");
  const result = velastro.evaluate(field.value, letters);
  $("formula-answer").classList.toggle("error", result.status !== 0);
  $("formula-answer").textContent = result.status === 2 ? plainMessage(result.message)
    : result.output;
  // As the window: a syntax error selects the character where the reading stopped, counted in
  // the formula without its leading blanks.
  if (result.position > 0) {
    const start = field.value.length - field.value.trimStart().length + result.position - 1;
    field.setSelectionRange(start, start + 1);
  }
});

// The parcel goes to a worker, so the page answers while a large one is weighed.
let worker = null;
let download = null;

function weighParcel(file) {
  worker ??= new Worker("worker.js", { type: "module" });
  const progress = $("parcel-progress");
  progress.hidden = false;
  progress.value = 0;
  $("parcel-download").hidden = true;
  $("parcel-totals").textContent = `Weighing ${file.name}…`;
  worker.onmessage = ({ data }) => {
    if (!data.done) {
      progress.value = data.progress;
      return;
    }
    progress.value = 1;
    if (data.failed) worker = null;
    // Status 2: the table could not be read at all, and batch writes nothing.
    const written = data.blob && data.status !== 2;
    $("parcel-totals").classList.toggle("error", !written);
    $("parcel-totals").textContent = data.message.trim().split("\n").map(plainMessage).join("\n");
    if (!written) return;
    if (download) URL.revokeObjectURL(download);
    download = URL.createObjectURL(data.blob);
    const link = $("parcel-download");
    link.href = download;
    link.download = file.name.replace(/(\.[^.]*)?$/, "-weighed$1");
    link.textContent = `Download ${link.download}`;
    link.hidden = false;
  };
  worker.postMessage({
    file,
    options: stoneOptions(),
    decimals: Number.parseInt($("decimals").value, 10),
    decimalMark: Number($("decimal-mark").value),
    against: $("against").value.trim(),
  });
}

$("parcel-file").addEventListener("change", (event) => {
  if (event.target.files.length > 0) weighParcel(event.target.files[0]);
});
const drop = $("drop");
drop.addEventListener("dragover", (event) => {
  event.preventDefault();
  drop.classList.add("over");
});
drop.addEventListener("dragleave", () => drop.classList.remove("over"));
drop.addEventListener("drop", (event) => {
  event.preventDefault();
  drop.classList.remove("over");
  if (event.dataTransfer.files.length > 0) weighParcel(event.dataTransfer.files[0]);
});

addShapeButtons();
// A grade, or a range of two as reports write it ("medium to slightly thick"): any text the
// core reads; the list only suggests.
fillSelect($("girdle-grades"), velastro.girdles().map((g) => [g.name, g.abbreviation]));
fillSelect($("gem"), velastro.gems().filter((g) => g.name !== "diamond")
  .map((g) => [g.name, `${g.name} (SG ${g.sg})`]));
fillSelect($("unit"), velastro.units().map((u) => [u, u]));
document.body.dataset.ready = "true";

if ("serviceWorker" in navigator && location.protocol.startsWith("http")) {
  navigator.serviceWorker.register("sw.js");
}
