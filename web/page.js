// The page's front end: a view of the core's controller. It reads the
// fields, tells the controller of each press and command, and shows, lists,
// draws and downloads what the controller tells it to. Every word and every
// byte comes from the core (rating-core.js); nothing here computes a rating,
// formats a number or decides what follows a press.
"use strict";

(function() {
// The decimal separator of the browser's language, as the desktop
// programs take the user's.
function decimalSeparator() {
  const parts = new Intl.NumberFormat(navigator.language).formatToParts(1.5);
  const decimal = parts.find((part) => part.type === "decimal");
  return decimal ? decimal.value : ".";
}

// A field's text with every lone surrogate, which no file can hold, as
// U+FFFD; passed on as it is, it would swallow the character after it.
function wellFormed(text) {
  return text.replace(/[\uD800-\uDBFF](?![\uDC00-\uDFFF])|(?<![\uD800-\uDBFF])[\uDC00-\uDFFF]/g, "\uFFFD");
}

// Hands a file to the browser, which saves it under `file.name`.
function download(file) {
  const url = URL.createObjectURL(new Blob([file.bytes], {type: "application/octet-stream"}));
  const link = document.createElement("a");
  link.href = url;
  link.download = file.name;
  link.hidden = true;
  document.body.append(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(url), 60000);
}

// Puts text on the clipboard: through the Clipboard API where the page may
// use it, else through the copy command of the key press or click.
function copyText(text) {
  const byCommand = () => {
    const onCopy = (event) => {
      event.clipboardData.setData("text/plain", text);
      event.preventDefault();
    };
    document.addEventListener("copy", onCopy, {once: true});
    document.execCommand("copy");
    document.removeEventListener("copy", onCopy);
  };
  if (navigator.clipboard && window.isSecureContext) {
    navigator.clipboard.writeText(text).catch(byCommand);
  } else {
    byCommand();
  }
}

// A column's heading as its two lines, its name over its unit, which a
// screen reader reads as one: "Elev (ft)".
function headingParts([name, unit]) {
  const top = document.createElement("span");
  top.textContent = name;
  const bottom = document.createElement("span");
  bottom.textContent = unit;
  return [top, " ", bottom];
}

const kRowsPerBlock = 64;

const kRowRem = 1.25;  // the height of a table row, as page.css sets it

// The results table: one row per row of the rating under the column names,
// with extended selection as the desktop lists have it (click, Shift and
// Ctrl, the arrows, Home, End, Page Up and Down, Ctrl+A), and Ctrl+C
// copying the table. A screen reader reads each value with its column's
// name.
class RatingTable {
  constructor(element, onCopy) {
    this.element = element;
    this.onCopy = onCopy;
    this.rows = [];
    this.selected = new Set();
    this.active = -1;
    this.anchor = -1;
    element.addEventListener("keydown", (event) => this.keyDown(event));
    element.addEventListener("mousedown", (event) => this.mouseDown(event));
    element.addEventListener("focus", () => {
      if (this.active < 0 && this.rows.length > 0) this.setActive(0);
    });
  }

  // `headings`: each column's name over its unit; `cells`: each row's values.
  show(headings, cells) {
    const names = this.element.querySelectorAll("thead th");
    headings.forEach((lines, column) => {
      if (names[column]) names[column].replaceChildren(...headingParts(lines));
    });
    this.selected.clear();
    this.active = -1;
    this.anchor = -1;
    this.element.removeAttribute("aria-activedescendant");
    for (const body of this.element.querySelectorAll("tbody")) body.remove();
    // The rows go in blocks that the browser neither styles, lays out nor
    // draws while they are out of sight; each block is as tall as its rows
    // meanwhile.
    const fragment = document.createDocumentFragment();
    let block = null;
    this.rows = cells.map((values, index) => {
      if (index % kRowsPerBlock === 0) {
        block = document.createElement("tbody");
        block.setAttribute("role", "rowgroup");
        const rows = Math.min(kRowsPerBlock, cells.length - index);
        block.style.containIntrinsicSize = `auto ${rows * kRowRem}rem`;
        fragment.append(block);
      }
      const row = document.createElement("tr");
      row.setAttribute("role", "row");
      row.id = "row" + index;
      row.setAttribute("aria-selected", "false");
      for (const value of values) {
        const cell = document.createElement("td");
        cell.setAttribute("role", "gridcell");
        cell.textContent = value;
        row.append(cell);
      }
      block.append(row);
      return row;
    });
    this.element.append(fragment);
    // Each new table is shown from its top, whatever the last one's scroll.
    this.element.parentElement.scrollTop = 0;
  }

  selectedRows() {
    return [...this.selected].sort((a, b) => a - b);
  }

  setActive(index) {
    if (this.active >= 0 && this.rows[this.active]) this.rows[this.active].classList.remove("active");
    this.active = index;
    const row = this.rows[index];
    row.classList.add("active");
    this.element.setAttribute("aria-activedescendant", row.id);
    row.scrollIntoView({block: "nearest"});
  }

  setSelected(index, selected) {
    if (selected)
      this.selected.add(index);
    else
      this.selected.delete(index);
    this.rows[index].setAttribute("aria-selected", selected ? "true" : "false");
  }

  selectRange(from, to) {
    for (const index of [...this.selected]) this.setSelected(index, false);
    const [low, high] = from <= to ? [from, to] : [to, from];
    for (let i = low; i <= high; ++i) this.setSelected(i, true);
  }

  // Moves to `index`: alone selected, the range from the anchor with
  // Shift, or the focus alone with Ctrl.
  moveTo(index, event) {
    const target = Math.max(0, Math.min(this.rows.length - 1, index));
    if (event.shiftKey) {
      if (this.anchor < 0) this.anchor = Math.max(this.active, 0);
      this.selectRange(this.anchor, target);
    } else if (!event.ctrlKey && !event.metaKey) {
      this.anchor = target;
      this.selectRange(target, target);
    }
    this.setActive(target);
  }

  pageSize() {
    const first = this.rows[0];
    const height = first ? first.getBoundingClientRect().height : 0;
    return height > 0 ? Math.max(1, Math.floor(this.element.parentElement.clientHeight / height) - 2) : 10;
  }

  keyDown(event) {
    if (this.rows.length === 0) return;
    const control = event.ctrlKey || event.metaKey;
    const key = event.key;
    if (control && (key === "a" || key === "A")) {
      this.selectRange(0, this.rows.length - 1);
    } else if (control && (key === "c" || key === "C")) {
      this.onCopy();
    } else if (key === "ArrowDown") {
      this.moveTo(this.active + 1, event);
    } else if (key === "ArrowUp") {
      this.moveTo(this.active - 1, event);
    } else if (key === "Home") {
      this.moveTo(0, event);
    } else if (key === "End") {
      this.moveTo(this.rows.length - 1, event);
    } else if (key === "PageDown") {
      this.moveTo(this.active + this.pageSize(), event);
    } else if (key === "PageUp") {
      this.moveTo(this.active - this.pageSize(), event);
    } else if (key === " " && this.active >= 0) {
      this.setSelected(this.active, control ? !this.selected.has(this.active) : true);
      this.anchor = this.active;
    } else {
      return;
    }
    event.preventDefault();
  }

  mouseDown(event) {
    const row = event.target.closest("tbody tr");
    if (!row || event.button !== 0) return;
    const index = this.rows.indexOf(row);
    if (event.ctrlKey || event.metaKey) {
      this.setSelected(index, !this.selected.has(index));
      this.anchor = index;
      this.setActive(index);
    } else {
      this.moveTo(index, event);
    }
  }
}

function start(core) {
  const separator = decimalSeparator();
  const byId = (id) => document.getElementById(id);
  const form = byId("rating");
  const button = byId("Command1");
  const message = byId("message");
  const note = byId("note");
  const curves = byId("curves");

  // The fields are in the HTML; their defaults follow the browser's
  // decimal separator.
  const inputs = core.fields(separator).map((field) => {
    const input = byId(field.name);
    input.value = field.defaultText;
    return input;
  });

  // The commands on the rating the table shows: buttons, and the curves'
  // section, which opens as the desktop's curves window does. Each names its
  // command for the controller.
  let controller = null;
  const commandOf = (element) => Number(element.dataset.command);
  const commandButtons = [...byId("commands").querySelectorAll("button")];
  for (const command of commandButtons) {
    command.addEventListener("click", () => controller.choose(commandOf(command)));
  }
  const copyCommand = commandOf(byId("copyTable"));
  const table = new RatingTable(byId("List1"), () => controller.choose(copyCommand));

  // The curves are drawn while they are shown: a rating shown while they are
  // folded is drawn when the user opens them.
  let curvesDrawn = false;
  function drawCurves(wide, stacked, title) {
    byId("curvesTitle").textContent = title;
    for (const [picture, svgText] of [["curvesPicture", wide], ["curvesPictureStacked", stacked]]) {
      const svg = new DOMParser().parseFromString(svgText, "image/svg+xml").documentElement;
      svg.setAttribute("role", "img");
      svg.setAttribute("aria-label", title);
      byId(picture).replaceChildren(document.importNode(svg, true));
    }
    curvesDrawn = true;
  }
  curves.addEventListener("toggle", () => {
    if (curves.open && !curvesDrawn) controller.choose(commandOf(byId("showRatingCurves")));
  });

  // The routing section: the inflow pasted or opened from a file, routed
  // again with each change, and its commands.
  const routing = byId("routing");
  const inflowText = byId("inflowText");
  const settings = ["timeStep", "subreaches", "initialOutflow"].map(byId);
  const routingButtons = [...routing.querySelectorAll("button[data-routing-command]")];
  for (const command of routingButtons) {
    command.addEventListener("click", () => controller.chooseRouting(Number(command.dataset.routingCommand)));
  }
  inflowText.addEventListener("change", () => controller.setInflow(wellFormed(inflowText.value)));
  byId("openHydrograph").addEventListener("change", async (event) => {
    const file = event.target.files[0];
    if (!file) return;
    // Read as bytes: the core reads UTF-16 as spreadsheets save it, too.
    inflowText.value = controller.openInflowFile(new Uint8Array(await file.arrayBuffer()), file.name);
  });
  byId("route").addEventListener("click", () => controller.route());
  for (const setting of settings) {
    setting.addEventListener("keydown", (event) => {
      if (event.key === "Enter") controller.route();
    });
  }

  // The Section choice and the surveyed section's own part of the page: its
  // points pasted or opened from a file, read again with each change.
  const shape = byId("cboShape");
  const section = byId("section");
  const sectionText = byId("sectionText");
  shape.addEventListener("change", () => controller.chooseShape(shape.selectedIndex));
  const units = byId("cboUnits");
  units.addEventListener("change", () => controller.chooseUnits(units.selectedIndex));
  sectionText.addEventListener("change", () => controller.setSection(wellFormed(sectionText.value)));
  byId("openSection").addEventListener("change", async (event) => {
    const file = event.target.files[0];
    if (!file) return;
    sectionText.value = controller.openSectionFile(new Uint8Array(await file.arrayBuffer()), file.name);
  });

  function clearMarks() {
    for (const input of inputs) {
      input.removeAttribute("aria-invalid");
      input.removeAttribute("aria-describedby");
    }
  }

  const view = core.RatingView.implement({
    // `headings` and `rows`: one line each, its cells split by tabs.
    showTable(headings, rows) {
      clearMarks();
      message.textContent = "";
      note.textContent = "";
      curvesDrawn = false;
      const cells = (text) => (text === "" ? [] : text.split("\n").map((line) => line.split("\t")));
      const [names = [], units = []] = cells(headings);
      table.show(names.map((name, i) => [name, units[i] ?? ""]), cells(rows));
    },
    selectedRows() {
      return table.selectedRows();
    },
    enableRatingCommands(enabled) {
      for (const command of commandButtons) command.disabled = !enabled;
      curves.hidden = !enabled;
    },
    curvesOpen() {
      return curves.open;
    },
    // Both pictures: the wide one, and the stacked one a narrow screen shows.
    openCurves(wide, stacked, title) {
      drawCurves(wide, stacked, title);
      curves.open = true;
    },
    redrawCurves(wide, stacked, title) {
      drawCurves(wide, stacked, title);
    },
    closeCurves() {
      curves.open = false;
      byId("curvesPicture").replaceChildren();
      byId("curvesPictureStacked").replaceChildren();
      curvesDrawn = false;
    },
    showFailure(text, field) {
      clearMarks();
      note.textContent = "";
      message.textContent = text;
      if (field) {
        const input = byId(field);
        input.setAttribute("aria-invalid", "true");
        input.setAttribute("aria-describedby", "message");
        input.focus();
        if (input instanceof HTMLInputElement) input.select();
      }
      message.scrollIntoView({block: "nearest"});
    },
    showNote(text) {
      note.textContent = text;
    },
    putOnClipboard(text) {
      copyText(text);
    },
    handOver(file) {
      note.textContent = "";
      download(file);
    },
    routingOpen() {
      return !routing.hidden;
    },
    openRouting(title) {
      routing.hidden = false;
      byId("routingHeading").textContent = title;
      byId("routingHeading").focus();
      routing.scrollIntoView({block: "start"});
    },
    routingFields() {
      return settings.map((setting) => wellFormed(setting.value));
    },
    showRoutingFields(timeStep, subreaches, initialOutflow, suggestion) {
      [timeStep, subreaches, initialOutflow].forEach((text, i) => (settings[i].value = text));
      byId("suggestedSubreaches").textContent = suggestion;
    },
    showInflow(description) {
      byId("inflowRead").textContent = description;
    },
    // The chart's text alternative is the summary.
    showRouted(svgText, summary) {
      const svg = new DOMParser().parseFromString(svgText, "image/svg+xml").documentElement;
      svg.setAttribute("role", "img");
      svg.setAttribute("aria-label", summary);
      byId("hydrographPicture").replaceChildren(document.importNode(svg, true));
      byId("routingSummary").textContent = summary;
    },
    showRoutingProblem(text) {
      byId("hydrographPicture").replaceChildren();
      byId("routingSummary").textContent = text;
    },
    enableRoutingCommands(enabled) {
      for (const command of routingButtons) command.disabled = !enabled;
    },
    enableField(name, enabled) {
      byId(name).disabled = !enabled;
    },
    // The label's text, its access key underlined at `keyAt` (its length: none).
    showFieldLabel(name, text, keyAt) {
      const label = document.querySelector(`label[for="${name}"]`);
      if (!label) return;
      const parts = [text.slice(0, keyAt)];
      if (keyAt < text.length) {
        const key = document.createElement("span");
        key.className = "key";
        key.textContent = text.slice(keyAt, keyAt + 1);
        parts.push(key, text.slice(keyAt + 1));
      }
      label.replaceChildren(...parts);
    },
    showSettingLabel(name, text) {
      const label = document.querySelector(`label[for="${name}"]`);
      if (label) label.textContent = text;
    },
    sectionOpen() {
      return !section.hidden;
    },
    openSection(title) {
      section.hidden = false;
      byId("sectionHeading").textContent = title;
      section.scrollIntoView({block: "nearest"});
    },
    // The picture's text alternative is the points read.
    showSection(svgText, summary) {
      const svg = new DOMParser().parseFromString(svgText, "image/svg+xml").documentElement;
      svg.setAttribute("role", "img");
      svg.setAttribute("aria-label", summary);
      byId("sectionPicture").replaceChildren(document.importNode(svg, true));
      byId("sectionRead").textContent = summary;
    },
    showSectionProblem(text) {
      byId("sectionPicture").replaceChildren();
      byId("sectionRead").textContent = text;
    },
  });
  controller = new core.Controller(view, separator);

  // What was typed survives a reload of the tab, and stays in the tab: the
  // browser's session storage, which nothing sends anywhere.
  const keptFields = "trapezoid-rating-fields";
  try {
    const kept = JSON.parse(sessionStorage.getItem(keptFields));
    if (Array.isArray(kept) && kept.length === inputs.length && kept.every((t) => typeof t === "string")) {
      inputs.forEach((input, i) => (input.value = kept[i]));
    }
  } catch {
    // No storage (a private window may refuse it): the defaults stand.
  }
  const keep = () => {
    try {
      sessionStorage.setItem(keptFields, JSON.stringify(inputs.map((input) => input.value)));
    } catch {
      // As above: the fields simply are not kept.
    }
  };
  form.addEventListener("input", keep);
  section.addEventListener("input", keep);
  // The shape kept disables what it does not use, and a surveyed section
  // opens its part of the page.
  if (shape.selectedIndex > 0) controller.chooseShape(shape.selectedIndex);
  // So do the units kept: every label names them.
  if (units.selectedIndex > 0) controller.chooseUnits(units.selectedIndex);

  form.addEventListener("submit", (event) => {
    event.preventDefault();
    controller.press(inputs.map((input) => wellFormed(input.value)));
  });

  button.disabled = false;
  byId("loading").hidden = true;
  byId("Form1").removeAttribute("aria-busy");
  document.documentElement.dataset.ready = "true";
  performance.mark("rating-form-ready");
}

// Without the core there is no message table to speak from: the page's
// fixed texts, written into it when it was built, say what went wrong: the
// core's file did not load, or the browser cannot run it. The form, which
// cannot work, is hidden.
function failToStart(failure) {
  document.getElementById("Form1").removeAttribute("aria-busy");
  document.getElementById("loading").hidden = true;
  document.getElementById("window").hidden = true;
  document.getElementById(failure).hidden = false;
}

// This script runs first, while the core's file may still be on its way;
// the core's script element says when it has run, or could not be loaded.
document.getElementById("loading").hidden = false;
const coreScript = document.getElementById("coreScript");
coreScript.addEventListener("error", () => failToStart("coreMissing"));
coreScript.addEventListener("load", () => {
  if (typeof TrapezoidRatingCore !== "function") {
    failToStart("coreMissing");
  } else if (typeof WebAssembly !== "object") {
    failToStart("startFailure");
  } else {
    try {
      TrapezoidRatingCore().then(start, () => failToStart("startFailure"));
    } catch {
      failToStart("startFailure");
    }
  }
});
})();
