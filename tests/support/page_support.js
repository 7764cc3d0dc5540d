// Set-up shared by the page's browser tests and its benchmark: the core
// under Node, and the page opened from disk in a fresh browser context, with
// helpers that press as a user does and read what the page shows. Nothing
// here loads Playwright itself; callers pass the browser.
"use strict";

const fs = require("node:fs");
const http = require("node:http");
const path = require("node:path");
const {pathToFileURL} = require("node:url");

// Playwright's `chromium` launched headless: Debian's Chromium unless
// RATING_CHROMIUM names another.
function launch(chromium) {
  const executablePath = process.env.RATING_CHROMIUM || "/usr/bin/chromium";
  return chromium.launch({executablePath, args: ["--no-sandbox", "--disable-gpu"]});
}

// The address of the page opened from disk.
function pageAddress(site) {
  return pathToFileURL(path.join(site, "index.html")).href;
}

// The page's own core, rating-core.js, loaded under Node.
function loadCore(site) {
  const factory = require(path.join(site, "rating-core.js"));
  return factory();
}

// A press in the core under Node, as the page makes it, of the fields'
// texts by their names (`textsByName`), each field not named keeping its
// default, with a view that only keeps what it is told: the failure's
// message, or the rating file handed over.
function pressInCore(core, separator, textsByName) {
  const told = {message: null, file: null};
  const view = core.RatingView.implement({
    showTable() {},
    selectedRows() {
      return [];
    },
    enableRatingCommands() {},
    curvesOpen() {
      return false;
    },
    openCurves() {},
    redrawCurves() {},
    closeCurves() {},
    showFailure(message) {
      told.message = message;
    },
    showNote() {},
    putOnClipboard() {},
    handOver(file) {
      told.file = file;
    },
    routingOpen() {
      return false;
    },
    enableField() {},
    sectionOpen() {
      return false;
    },
  });
  const controller = new core.Controller(view, separator);
  controller.press(core.fields(separator).map((field) => textsByName[field.name] ?? field.defaultText));
  controller.delete();
  view.delete();
  return told;
}

// The site on a plain static host on this machine, as any web server would
// serve it. Resolves to its address; close() stops it.
function serveSite(site) {
  const types = {".html": "text/html", ".css": "text/css", ".js": "text/javascript", ".png": "image/png"};
  const server = http.createServer((request, response) => {
    const name = path.basename(new URL(request.url, "http://localhost").pathname) || "index.html";
    fs.readFile(path.join(site, name), (error, bytes) => {
      response.writeHead(error ? 404 : 200, {"Content-Type": types[path.extname(name)] || "text/plain"});
      response.end(error ? "" : bytes);
    });
  });
  return new Promise((listening) => {
    server.listen(0, "127.0.0.1", () => {
      listening({url: `http://127.0.0.1:${server.address().port}/`, close: () => server.close()});
    });
  });
}

// The page, from disk or from `options.host` (an address of serveSite), its
// form ready. `options`: locale ("en-US"), clipboard (grant its
// permissions), bypassCSP (for injecting a checker). Errors the page
// reports are kept in page.errors.
async function openPage(browser, site, options = {}) {
  const context = await browser.newContext({
    acceptDownloads: true,
    locale: options.locale || "en-US",
    bypassCSP: Boolean(options.bypassCSP),
    ...(options.viewport ? {viewport: options.viewport} : {}),
  });
  if (options.clipboard) await context.grantPermissions(["clipboard-read", "clipboard-write"]);
  const page = await context.newPage();
  page.errors = [];
  page.on("pageerror", (error) => page.errors.push(error.message));
  page.on("console", (message) => {
    if (message.type() === "error") page.errors.push(message.text());
  });
  await page.goto(options.host ? options.host + "index.html" : pageAddress(site));
  await page.waitForSelector("html[data-ready]", {state: "attached"});
  return page;
}

function assertNoErrors(page) {
  if (page.errors.length > 0) throw new Error(`the page reported: ${page.errors.join("; ")}`);
}

// Does `act` (a click or a key) and returns the file the page downloads:
// its name and bytes.
async function press(page, act) {
  const [download] = await Promise.all([page.waitForEvent("download"), act()]);
  const bytes = fs.readFileSync(await download.path());
  assertNoErrors(page);
  return {name: download.suggestedFilename(), bytes};
}

// Does `act` and returns what the failed press shows: the alert's message,
// the focused element's id and the text selected in it. Fails if anything
// is downloaded.
async function pressFails(page, act) {
  let downloaded = false;
  const onDownload = () => {
    downloaded = true;
  };
  page.on("download", onDownload);
  await act();
  await page.waitForFunction(() => document.getElementById("message").textContent !== "");
  const shown = await page.evaluate(() => {
    const focused = document.activeElement;
    const selection = focused instanceof HTMLInputElement ?
        focused.value.substring(focused.selectionStart, focused.selectionEnd) :
        null;
    return {message: document.getElementById("message").textContent, focused: focused.id, selection};
  });
  page.off("download", onDownload);
  if (downloaded) throw new Error("a failed press downloaded a file");
  assertNoErrors(page);
  return shown;
}

// The lines the table shows, as the desktop lists show them: the two
// heading lines from the column names, then one fixed-width line a row.
function listLines(page) {
  return page.$eval("#List1", (table) => {
    const rows = [...table.querySelectorAll("tbody tr")];
    if (rows.length === 0) return [];
    // The column names give back the two heading lines: names, then units.
    const names = [...table.querySelectorAll("thead th")].map((th) => th.textContent.split(" "));
    const heading = (part) => names.map((name) => name[part].padEnd(9)).join("").trimEnd();
    const line = (row) => [...row.cells].map((cell) => cell.textContent.padEnd(9)).join("");
    return [heading(0), heading(1), ...rows.map(line)];
  });
}

// The golden file `name` under the sources' tests folder.
function readGolden(sources, name) {
  return fs.readFileSync(path.join(sources, "tests", name));
}

module.exports = {
  launch,
  pageAddress,
  loadCore,
  pressInCore,
  serveSite,
  openPage,
  press,
  pressFails,
  listLines,
  readGolden
};
