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

// A caption whose access key is marked with "&" ("&&" is an "&"), with the
// key underlined.
function appendCaption(element, marked) {
  for (let i = 0; i < marked.length; ++i) {
    if (marked[i] === "&" && i + 1 < marked.length && marked[i + 1] !== "&") {
      const key = document.createElement("span");
      key.className = "key";
      key.textContent = marked[i + 1];
      element.append(key);
      ++i;
    } else {
      element.append(marked[i] === "&" ? marked[++i] : marked[i]);
    }
  }
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

const kRowsPerBlock = 64;
const kRowRem = 1.25;  // the height of a list line, as page.css sets it

// The results list: one option per line, with extended selection as the
// desktop lists have it (click, Shift and Ctrl, the arrows, Home, End,
// Page Up and Down, Ctrl+A), and Ctrl+C copying the table.
class RatingList {
  constructor(element, onCopy) {
    this.element = element;
    this.onCopy = onCopy;
    this.options = [];
    this.selected = new Set();
    this.active = -1;
    this.anchor = -1;
    element.addEventListener("keydown", (event) => this.keyDown(event));
    element.addEventListener("mousedown", (event) => this.mouseDown(event));
    element.addEventListener("focus", () => {
      if (this.active < 0 && this.options.length > 0) this.setActive(0);
    });
  }

  show(lines) {
    this.selected.clear();
    this.active = -1;
    this.anchor = -1;
    this.element.removeAttribute("aria-activedescendant");
    // The options go in blocks that the browser neither styles, lays out
    // nor draws while they are out of sight; each block is as tall as its
    // rows meanwhile.
    const fragment = document.createDocumentFragment();
    let block = null;
    this.options = lines.map((line, index) => {
      if (index % kRowsPerBlock === 0) {
        block = document.createElement("div");
        block.setAttribute("role", "none");
        block.className = "rows";
        const rows = Math.min(kRowsPerBlock, lines.length - index);
        block.style.containIntrinsicSize = `auto ${rows * kRowRem}rem`;
        fragment.append(block);
      }
      const option = document.createElement("div");
      option.id = "line" + index;
      option.setAttribute("role", "option");
      option.setAttribute("aria-selected", "false");
      option.textContent = line;
      block.append(option);
      return option;
    });
    this.element.replaceChildren(fragment);
  }

  selectedLines() {
    return [...this.selected].sort((a, b) => a - b);
  }

  setActive(index) {
    if (this.active >= 0 && this.options[this.active]) this.options[this.active].classList.remove("active");
    this.active = index;
    const option = this.options[index];
    option.classList.add("active");
    this.element.setAttribute("aria-activedescendant", option.id);
    option.scrollIntoView({block: "nearest"});
  }

  setSelected(index, selected) {
    if (selected)
      this.selected.add(index);
    else
      this.selected.delete(index);
    this.options[index].setAttribute("aria-selected", selected ? "true" : "false");
  }

  selectRange(from, to) {
    for (const index of [...this.selected]) this.setSelected(index, false);
    const [low, high] = from <= to ? [from, to] : [to, from];
    for (let i = low; i <= high; ++i) this.setSelected(i, true);
  }

  // Moves to `index`: alone selected, the range from the anchor with
  // Shift, or the focus alone with Ctrl.
  moveTo(index, event) {
    const target = Math.max(0, Math.min(this.options.length - 1, index));
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
    const first = this.options[0];
    const height = first ? first.getBoundingClientRect().height : 0;
    return height > 0 ? Math.max(1, Math.floor(this.element.clientHeight / height) - 1) : 10;
  }

  keyDown(event) {
    if (this.options.length === 0) return;
    const control = event.ctrlKey || event.metaKey;
    const key = event.key;
    if (control && (key === "a" || key === "A")) {
      this.selectRange(0, this.options.length - 1);
    } else if (control && (key === "c" || key === "C")) {
      this.onCopy();
    } else if (key === "ArrowDown") {
      this.moveTo(this.active + 1, event);
    } else if (key === "ArrowUp") {
      this.moveTo(this.active - 1, event);
    } else if (key === "Home") {
      this.moveTo(0, event);
    } else if (key === "End") {
      this.moveTo(this.options.length - 1, event);
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
    const option = event.target.closest("[role=option]");
    if (!option || event.button !== 0) return;
    const index = this.options.indexOf(option);
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
  const captions = core.captions();
  const separator = decimalSeparator();
  const fields = core.fields(separator);
  const byId = (id) => document.getElementById(id);
  const form = byId("rating");
  const button = byId("Command1");
  const message = byId("message");
  const note = byId("note");
  const curves = byId("curves");

  document.title = captions.window;
  byId("pageTitle").textContent = captions.window;

  // The fields in tab order, in the desktop form's two columns; a field
  // wider than a column spans both.
  const narrowest = Math.min(...fields.map((field) => field.width));
  const inputs = fields.map((field) => {
    const box = document.createElement("div");
    box.className = field.width > 1.5 * narrowest ? "field wide" : "field";
    const label = document.createElement("label");
    label.id = field.labelName;
    label.htmlFor = field.name;
    appendCaption(label, field.markedLabel);
    const input = document.createElement("input");
    input.type = "text";
    input.id = field.name;
    input.name = field.name;
    input.value = field.defaultText;
    input.accessKey = field.accessKey.toLowerCase();
    input.autocomplete = "off";
    input.spellcheck = false;
    box.append(label, input);
    form.insertBefore(box, button);
    return input;
  });
  appendCaption(button, captions.markedButton);
  button.accessKey = captions.buttonKey.toLowerCase();

  let controller = null;
  const list = new RatingList(byId("List1"), () => controller.choose(copyCommand));
  list.element.setAttribute("aria-label", captions.list);

  // The commands on the rating the list shows: buttons, and the curves'
  // section, which opens as the desktop's curves window does.
  const commands = byId("commands");
  const commandButtons = [];
  let copyCommand = -1;
  let showCurvesCommand = -1;
  for (const command of core.commands()) {
    if (command.name === "showRatingCurves") {
      showCurvesCommand = command.command;
      byId(command.name).textContent = command.caption;
      continue;
    }
    if (command.name === "copyTable") copyCommand = command.command;
    const element = document.createElement("button");
    element.type = "button";
    element.id = command.name;
    element.textContent = command.caption;
    element.disabled = true;
    element.addEventListener("click", () => controller.choose(command.command));
    commands.append(element);
    commandButtons.push(element);
  }

  // The curves are drawn while they are shown: a rating shown while they are
  // folded is drawn when the user opens them.
  let curvesDrawn = false;
  function drawCurves(svgText, title) {
    byId("curvesTitle").textContent = title;
    const svg = new DOMParser().parseFromString(svgText, "image/svg+xml").documentElement;
    svg.setAttribute("role", "img");
    svg.setAttribute("aria-label", title);
    byId("curvesPicture").replaceChildren(document.importNode(svg, true));
    curvesDrawn = true;
  }
  curves.addEventListener("toggle", () => {
    if (curves.open && !curvesDrawn) controller.choose(showCurvesCommand);
  });

  function clearMarks() {
    for (const input of inputs) input.removeAttribute("aria-invalid");
  }

  const view = core.RatingView.implement({
    showLines(lines) {
      clearMarks();
      message.textContent = "";
      note.textContent = "";
      curvesDrawn = false;
      list.show(lines);
    },
    selectedLines() {
      return list.selectedLines();
    },
    enableRatingCommands(enabled) {
      for (const command of commandButtons) command.disabled = !enabled;
      curves.hidden = !enabled;
    },
    curvesOpen() {
      return curves.open;
    },
    openCurves(svg, title) {
      drawCurves(svg, title);
      curves.open = true;
    },
    redrawCurves(svg, title) {
      drawCurves(svg, title);
    },
    closeCurves() {
      curves.open = false;
      byId("curvesPicture").replaceChildren();
      curvesDrawn = false;
    },
    showFailure(text, field) {
      clearMarks();
      note.textContent = "";
      message.textContent = text;
      if (field) {
        const input = byId(field);
        input.setAttribute("aria-invalid", "true");
        input.focus();
        input.select();
      }
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
  });
  controller = new core.Controller(view, separator);

  form.addEventListener("submit", (event) => {
    event.preventDefault();
    controller.press(inputs.map((input) => input.value));
  });

  button.disabled = false;
  byId("Form1").removeAttribute("aria-busy");
  document.documentElement.dataset.ready = "true";
  performance.mark("rating-form-ready");
}

// Without the core there is no message table to speak from: the page's one
// fixed text says what the browser lacks.
function failToStart() {
  document.getElementById("Form1").removeAttribute("aria-busy");
  document.getElementById("startFailure").hidden = false;
}

if (typeof TrapezoidRatingCore === "function") {
  TrapezoidRatingCore().then(start, failToStart);
} else {
  failToStart();
}
})();
