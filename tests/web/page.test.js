// The page in Debian's Chromium, headless, used as a user would: typing,
// pressing Enter and Tab, clicking, copying and downloading. Run by CTest
// with the site's folder and the sources' golden files; `npm ci` in this
// folder installs the two pinned packages it needs.
"use strict";

const assert = require("node:assert/strict");
const {after, before, describe, test} = require("node:test");

const support = require("../support/page_support");
const {openPage, press, pressFails, listLines} = support;

const site = process.env.RATING_SITE_DIR;
const golden = (name) => support.readGolden(process.env.RATING_SOURCE_DIR, name);

// A flood of 2,500 cfs at hour 6 on 100 cfs of base, back at hour 18, in
// quarter hours, with its times.
function triangularInflow() {
  let inflow = "Time (h),Flow (cfs)\n";
  for (let i = 0; i <= 96; ++i) {
    const hour = i / 4;
    const flow = hour <= 6 ? 100 + (2400 * hour) / 6 : hour <= 18 ? 100 + (2400 * (18 - hour)) / 12 : 100;
    inflow += `${hour},${flow}\n`;
  }
  return inflow;
}

describe("the page", () => {
  let browser;
  let core;
  before(async () => {
    let chromium;
    try {
      ({chromium} = require("playwright-core"));
    } catch {
      throw new Error("playwright-core is missing: run `npm ci` in tests/web");
    }
    browser = await support.launch(chromium);
    core = await support.loadCore(site);
  });
  after(async () => browser && browser.close());

  // Opened from disk or from a static host, the page behaves the same; its
  // exports are the command line's files.
  const exports = [
    {command: "#saveTableCsv", name: "MyRating.csv", golden: "output/golden/default.csv"},
    {command: "#savePairedData", name: "MyRating-paired.csv", golden: "output/golden/default-paired.csv"},
    {command: "#saveRatingCurvesSvg", name: "MyRating.svg", golden: "plot/golden/default-rating-curves.svg"},
  ];
  for (const from of ["disk", "a static host"]) {
    test(`from ${from}, the defaults download the golden files, and are listed and drawn`, async () => {
      const host = from === "disk" ? null : await support.serveSite(site);
      try {
        const page = await openPage(browser, site, {host: host && host.url});
        const file = await press(page, () => page.click("#Command1"));
        assert.equal(file.name, "MyRating.RAT");
        assert.deepEqual(file.bytes, golden("output/golden/default.RAT"));
        const lines = await listLines(page);
        assert.equal(lines.length, 29);
        assert.equal(lines[3], "0.2      10.1     1.24     12.5     6.72     440      ");
        for (const save of exports) {
          const saved = await press(page, () => page.click(save.command));
          assert.equal(saved.name, save.name);
          assert.deepEqual(saved.bytes, golden(save.golden));
        }
        await page.click("#showRatingCurves");
        await page.waitForSelector("#curvesPicture svg");
        assert.equal(await page.textContent("#curvesTitle"), "Rating Curves \u2013 South Street Channel");
        assert.equal(await page.textContent("#curvesPicture svg > title"), "South Street Channel");
      } finally {
        if (host) host.close();
      }
    });
  }

  // One failure of each effect on the list: kept, or emptied; with the
  // field at fault focused and its text selected, or no field to blame.
  const failures = [
    {
      name: "a bad number keeps the list",
      field: "txtLength",
      text: "5,5x",
      message: "Type mismatch: Channel Length (mi) \"5,5x\" is not a number.",
      focused: "txtLength",
      keepsList: true,
    },
    {
      name: "an empty file name empties the list",
      field: "txtFilename",
      text: "",
      message:
          "Cannot create rating file: Output Rating Filename is empty; type the name of the file to write.",
      focused: "txtFilename",
      keepsList: false,
    },
    {
      name: "a name no browser saves downloads nothing",
      field: "txtFilename",
      text: "x".repeat(300) + ".RAT",
      message: "Cannot create rating file: Output Rating Filename \"" +
          "x".repeat(300) + ".RAT\" cannot be the name of a downloaded file: File name too long.",
      focused: "txtFilename",
      keepsList: false,
    },
    {
      name: "a folder's name downloads nothing",
      field: "txtFilename",
      text: "C:\\Runs\\",
      message: "Cannot create rating file: Output Rating Filename \"C:\\Runs\\\" cannot be the name of a " +
          "downloaded file: this names a folder; type the name of a file, such as MyRating.RAT.",
      focused: "txtFilename",
      keepsList: false,
    },
    {
      name: "a failed computation empties the list and focuses the field that caused it",
      field: "txtSlope",
      text: "0",
      message:
          "Division by zero: row 1, travel time K: two successive rows have equal flow (a fall of 0 gives " +
          "no flow); Channel Fall (ft) is 0.",
      focused: "txtSlope",
      keepsList: false,
    },
  ];
  for (const failure of failures) {
    test(`failures: ${failure.name}`, async () => {
      const page = await openPage(browser, site);
      await press(page, () => page.click("#Command1"));
      await page.fill(`#${failure.field}`, failure.text);
      const shown = await pressFails(page, () => page.click("#Command1"));
      assert.equal(shown.message, failure.message);
      assert.equal(shown.focused, failure.focused);
      if (failure.focused !== "Command1") {
        assert.equal(shown.selection, failure.text);
        assert.equal(await page.getAttribute(`#${failure.focused}`, "aria-describedby"), "message");
      }
      assert.equal((await listLines(page)).length, failure.keepsList ? 29 : 0);
      assert.equal(await page.isDisabled("#saveTableCsv"), !failure.keepsList);
      assert.equal(await page.isHidden("#curves"), !failure.keepsList);
    });
  }

  test(
      "a German browser shows and reads the decimal comma and writes the German desktop's file", async () => {
        const page = await openPage(browser, site, {locale: "de-DE"});
        assert.equal(await page.inputValue("#txtLength"), "5,5");
        const file = await press(page, () => page.click("#Command1"));
        const desktop = support.pressInCore(core, ",", {});
        assert.equal(desktop.message, null);
        assert.deepEqual(file.bytes, Buffer.from(desktop.file.bytes));
        assert.ok(file.bytes.includes("\r\n 0,2 \t 12,5 \t 6,72 \t 440 \r\n"));
        assert.equal((await listLines(page))[3], "0,2      10,1     1,24     12,5     6,72     440      ");
        // The routing speaks in the same decimals: its summary and its chart.
        await page.click("#routeFlood");
        await page.fill("#inflowText", triangularInflow());
        await page.dispatchEvent("#inflowText", "change");
        assert.match(await page.textContent("#routingSummary"), /outflow peak 2429,85 cfs at 6,75 h/);
        assert.equal(
            await page.textContent("#hydrographPicture svg > desc"),
            "Subreaches 4, time step 0,25 h, 97 ordinates");
        await page.fill("#txtLength", "5.5");
        const shown = await pressFails(page, () => page.click("#Command1"));
        assert.equal(shown.message, "Type mismatch: Channel Length (mi) \"5.5\" is not a number.");
      });

  // The triangular flood routes as the command line routes it, and a press
  // that cannot carry it leaves no stale chart.
  test("a pasted flood routes through the rating and follows each press", async () => {
    const page = await openPage(browser, site);
    await press(page, () => page.click("#Command1"));
    await page.click("#routeFlood");
    assert.equal(await page.isVisible("#routing"), true);
    await page.fill("#inflowText", triangularInflow());
    await page.dispatchEvent("#inflowText", "change");
    assert.equal(await page.textContent("#inflowRead"), "97 ordinates over 24 h");
    assert.equal(await page.inputValue("#subreaches"), "4");
    assert.equal(await page.inputValue("#timeStep"), "15min");
    assert.match(await page.textContent("#routingSummary"), /outflow peak 2429\.85 cfs at 6\.75 h/);
    assert.equal(
        await page.textContent("#hydrographPicture svg > title"),
        "Flood routed through South Street Channel");
    const routed = await press(page, () => page.click("#saveRoutedCsv"));
    assert.equal(routed.name, "MyRating-routed.csv");
    assert.ok(routed.bytes.toString().startsWith(
        "Time (h),Inflow (cfs),Outflow (cfs)\r\n0,100,100\r\n0.25,200,100.24701257341601\r\n"));

    await page.fill("#txtMaxQ", "1000");
    await press(page, () => page.click("#Command1"));
    assert.match(await page.textContent("#routingSummary"), /ordinate 12, at 2\.75 h/);
    assert.equal(await page.$("#hydrographPicture svg"), null);
    assert.equal(await page.isDisabled("#saveRoutedCsv"), true);
  });

  // The compound section chosen and pasted: the command line's bytes, the
  // fields it does not use disabled, and its picture with the water.
  test("a pasted surveyed section downloads the command line's bytes", async () => {
    const page = await openPage(browser, site);
    await page.selectOption("#cboShape", "section");
    assert.equal(await page.isVisible("#section"), true);
    assert.equal(await page.isDisabled("#txtWidth"), true);
    assert.equal(await page.isDisabled("#txtElev"), true);
    assert.equal(await page.isDisabled("#txtDiameter"), true);
    const fields = {
      leftBank: "100",
      rightBank: "150",
      leftRoughness: "0.06",
      rightRoughness: "0.08",
      txtN: "0.035",
      txtSlope: "5.28",
      txtLength: "1",
      txtIncrement: "0.5",
      txtMaxQ: "3000",
    };
    for (const [id, text] of Object.entries(fields)) await page.fill(`#${id}`, text);
    await page.fill(
        "#sectionText",
        "Station (ft),Elevation (ft)\n0,10\n10,6\n100,6\n110,0\n140,0\n150,6\n250,6\n260,10\n");
    await page.dispatchEvent("#sectionText", "change");
    assert.equal(await page.textContent("#sectionRead"), "8 points, stations 0 to 260 ft");
    const file = await press(page, () => page.click("#Command1"));
    assert.deepEqual(file.bytes, golden("output/golden/compound-section.RAT"));
    assert.ok(await page.$("#sectionPicture svg rect[fill='#9cc8ec']"));
  });

  test("an opened hydrograph is read as a spreadsheet saves it, or refused at its line", async () => {
    const page = await openPage(browser, site);
    await press(page, () => page.click("#Command1"));
    await page.click("#routeFlood");
    const text = "Time (h),Flow (cfs)\n0,100\n1,600\n2,300\n3,100\n";
    const utf16 = Buffer.concat([Buffer.from([0xff, 0xfe]), Buffer.from(text, "utf16le")]);
    // The page reads a chosen file without blocking: wait for what it shows.
    await page.setInputFiles("#openHydrograph", {name: "flood.csv", mimeType: "text/csv", buffer: utf16});
    await page.waitForFunction(() => document.querySelector("#inflowRead").textContent !== "");
    assert.equal(await page.textContent("#inflowRead"), "4 ordinates over 3 h");
    assert.equal(await page.inputValue("#inflowText"), text);
    assert.match(await page.textContent("#routingSummary"), /Inflow peak 600 cfs at 1 h/);

    const latin1 = Buffer.from("Flow\n100\n\xb5\n", "latin1");
    await page.setInputFiles("#openHydrograph", {name: "old.csv", mimeType: "text/csv", buffer: latin1});
    await page.waitForFunction(
        () => document.querySelector("#routingSummary").textContent.startsWith("Cannot"));
    assert.match(await page.textContent("#routingSummary"), /^Cannot read inflow file "old\.csv": line 3: /);
    assert.equal(await page.$("#hydrographPicture svg"), null);
    assert.equal(await page.isDisabled("#saveRoutedCsv"), true);
  });

  test("a new table is shown from its top, and numbers are typed on a decimal keypad", async () => {
    const page = await openPage(browser, site);
    await page.fill("#txtMaxQ", "300000");
    await press(page, () => page.click("#Command1"));
    await page.evaluate(() => {
      document.querySelector(".table").scrollTop = 2000;
    });
    assert.ok(await page.evaluate(() => document.querySelector(".table").scrollTop) > 0);
    await press(page, () => page.click("#Command1"));
    assert.equal(await page.evaluate(() => document.querySelector(".table").scrollTop), 0);
    assert.equal(await page.getAttribute("#txtLength", "inputmode"), "decimal");
    assert.equal(await page.getAttribute("#txtTitle", "inputmode"), null);
  });

  test("an Arabic browser writes the decimal point that routing programs read", async () => {
    const page = await openPage(browser, site, {locale: "ar-EG"});
    const separator = await page.evaluate(
        () => new Intl.NumberFormat(navigator.language)
                  .formatToParts(1.5)
                  .find((p) => p.type === "decimal")
                  .value);
    assert.equal(separator, "\u066b");
    assert.equal(await page.inputValue("#txtLength"), "5.5");
    const file = await press(page, () => page.click("#Command1"));
    assert.deepEqual(file.bytes, golden("output/golden/default.RAT"));
  });

  test("a lone surrogate in a name becomes U+FFFD and keeps the character after it", async () => {
    const page = await openPage(browser, site);
    await page.evaluate(() => {
      document.getElementById("txtFilename").value = "x\uD800.RAT";
    });
    const file = await press(page, () => page.click("#Command1"));
    assert.equal(file.name, "x\uFFFD.RAT");
    assert.match(
        await page.textContent("#note"), /^Downloaded "x\uFFFD\.RAT" to your browser's downloads folder;/);
  });

  test("on a phone a failure's message is in view, under the button", async () => {
    const page = await openPage(browser, site, {viewport: {width: 390, height: 700}});
    await press(page, () => page.click("#Command1"));
    await page.fill("#txtSlope", "0");
    await pressFails(page, () => page.click("#Command1"));
    assert.ok(await page.evaluate(() => {
      const box = document.getElementById("message").getBoundingClientRect();
      return box.height > 0 && box.top >= 0 && box.bottom <= window.innerHeight;
    }));
  });

  test("on a phone the curves stand one above the other, under a title that wraps", async () => {
    const page = await openPage(browser, site, {viewport: {width: 390, height: 700}});
    await page.fill("#txtTitle", "W".repeat(80));
    await press(page, () => page.click("#Command1"));
    await page.click("#showRatingCurves");
    await page.waitForSelector("#curvesPictureStacked svg");
    assert.ok(await page.isHidden("#curvesPicture svg"));
    assert.equal(await page.getAttribute("#curvesPictureStacked svg", "viewBox"), "0 0 420 1400");
    assert.ok(await page.evaluate(() => document.documentElement.scrollWidth <= window.innerWidth));
  });

  test("a reload keeps what was typed, within the tab only", async () => {
    const page = await openPage(browser, site);
    await page.fill("#txtTitle", "Mill Creek");
    await page.fill("#txtSlope", "45");
    await page.reload();
    await page.waitForSelector("html[data-ready]", {state: "attached"});
    assert.equal(await page.inputValue("#txtTitle"), "Mill Creek");
    assert.equal(await page.inputValue("#txtSlope"), "45");
    const other = await openPage(browser, site);
    assert.equal(await other.inputValue("#txtSlope"), "110");
  });

  test(
      "in SI the labels name metres, the choice stays through a reload, and the bytes are the command line's",
      async () => {
        const page = await openPage(browser, site);
        await page.selectOption("#cboUnits", "si");
        assert.equal(await page.textContent("label[for=txtWidth]"), "Bottom Width (m)");
        assert.equal(await page.textContent("label[for=txtMaxQ]"), "Maximum Flow (m3/s)");
        const fields = {
          txtWidth: "15.24",
          txtSlope: "33.528",
          txtLength: "8.851392",
          txtMaxQ: "84.950539776",
          txtIncrement: "0.06096",
        };
        for (const [id, text] of Object.entries(fields)) await page.fill(`#${id}`, text);
        await page.reload();
        await page.waitForSelector("html[data-ready]", {state: "attached"});
        assert.equal(await page.inputValue("#cboUnits"), "si");
        assert.equal(await page.textContent("label[for=txtLength]"), "Channel Length (km)");
        const file = await press(page, () => page.click("#Command1"));
        assert.deepEqual(file.bytes, golden("output/golden/default-si.RAT"));
        await page.selectOption("#cboUnits", "us");
        assert.equal(await page.textContent("label[for=txtWidth]"), "Bottom Width (ft)");
      });

  test("a printed page holds the whole table and no button", async () => {
    const page = await openPage(browser, site);
    await press(page, () => page.click("#Command1"));
    await page.emulateMedia({media: "print"});
    assert.deepEqual(
        await page.evaluate(() => {
          const box = document.querySelector(".table");
          return [
            getComputedStyle(document.getElementById("Command1")).display,
            getComputedStyle(document.getElementById("commands")).display,
            box.scrollHeight <= box.clientHeight + 1
          ];
        }),
        ["none", "none", true]);
  });

  test("the copy holds the selected rows, or every row, with a header", async () => {
    const page = await openPage(browser, site, {clipboard: true});
    await press(page, () => page.click("#Command1"));
    const header = "Elev (ft)\tArea (ft^2)\tVelocity (ft/s)\tFlow (cfs)\tStorage (acft)\tCascades (N)\n";
    await page.click("#row1");
    await page.click("#row2", {modifiers: ["Shift"]});
    await page.keyboard.press("Control+C");
    assert.equal(
        await page.evaluate(() => navigator.clipboard.readText()),
        header + "0.2\t10.1\t1.24\t12.5\t6.72\t440\n0.4\t20.3\t1.96\t39.8\t13.5\t189\n");
    assert.equal(await page.textContent("#note"), "Copied 2 rows to the clipboard.");
    await page.keyboard.press("Control+A");
    await page.click("#copyTable");
    const all = await page.evaluate(() => navigator.clipboard.readText());
    assert.equal(all.split("\n").length, 1 + 27 + 1);
    assert.ok(all.startsWith(header));
  });

  test("Tab goes through the fields, the button and the list; Enter in a field presses", async () => {
    const page = await openPage(browser, site);
    await page.focus("#txtWidth");
    const order = ["txtWidth"];
    for (let i = 0; i < 11; ++i) {
      await page.keyboard.press("Tab");
      order.push(await page.evaluate(() => document.activeElement.id));
    }
    assert.deepEqual(order, [
      "txtWidth", "txtBank", "txtSlope", "txtLength", "txtN", "txtMaxQ", "txtElev", "txtIncrement",
      "txtTitle", "txtFilename", "Command1", "List1"
    ]);
    await page.focus("#txtIncrement");
    await page.keyboard.press("End");
    await page.keyboard.type("5");
    const file = await press(page, () => page.keyboard.press("Enter"));
    assert.equal(file.bytes.length > 0, true);
    assert.equal((await listLines(page))[3].startsWith("0.25 "), true);
  });

  test("axe-core finds no violations, before and after a press and a failure", async () => {
    const page = await openPage(browser, site, {bypassCSP: true});
    const axe = require.resolve("axe-core/axe.min.js");
    await page.addScriptTag({path: axe});
    const check = async () => {
      const result = await page.evaluate(() => window.axe.run(document, {preload: false}));
      assert.deepEqual(
          result.violations.map((v) => `${v.id}: ${v.nodes.map((n) => n.target).join(" ")}`), []);
    };
    await check();
    await press(page, () => page.click("#Command1"));
    await check();
    await page.fill("#txtN", "x");
    await pressFails(page, () => page.click("#Command1"));
    await check();
  });

  test(
      "the page reads whole without its script: the fields, the button and the table's column names",
      async () => {
        const context = await browser.newContext({javaScriptEnabled: false});
        const page = await context.newPage();
        await page.goto(support.pageAddress(site));
        assert.equal(await page.title(), "Trapezoid Channel Normal Depth-Flow-Volume Rating");
        assert.equal(await page.textContent("label[for=txtLength]"), "Channel Length (mi)");
        assert.equal(await page.textContent("label[for=txtLength] .key"), "L");
        assert.equal(await page.inputValue("#txtLength"), "5.5");
        assert.equal(await page.textContent("#Command1"), "Create Rating File");
        assert.deepEqual(
            await page.$$eval("#List1 thead th", (names) => names.map((name) => name.textContent)),
            ["Elev (ft)", "Area (ft^2)", "Velocity (ft/s)", "Flow (cfs)", "Storage (acft)", "Cascades (N)"]);
        assert.match(await page.textContent("noscript"), /JavaScript/);
        await context.close();
      });

  // The page's start: loading, then the form, or what kept the core from
  // starting, with the empty form hidden.
  const startUps = [
    {
      name: "a blocked rating-core.js is named, and the folder's files kept together",
      block: (page) => page.route("**/rating-core.js", (route) => route.abort()),
      shown: "#coreMissing",
      says: /rating-core\.js, could not be loaded\. Keep the page's files together/,
    },
    {
      name: "a browser without WebAssembly is told what it lacks",
      block: (page) => page.addInitScript(() => {
        delete globalThis.WebAssembly;
      }),
      shown: "#startFailure",
      says: /needs a\s+browser that runs WebAssembly/,
    },
  ];
  for (const startUp of startUps) {
    test(`start-up: ${startUp.name}`, async () => {
      const context = await browser.newContext();
      const page = await context.newPage();
      const errors = [];
      page.on("pageerror", (error) => errors.push(error.message));
      await startUp.block(page);
      await page.goto(support.pageAddress(site));
      await page.waitForSelector(startUp.shown, {state: "visible"});
      assert.match(await page.textContent(startUp.shown), startUp.says);
      assert.equal(await page.isHidden("#window"), true);
      assert.equal(await page.isHidden("#loading"), true);
      assert.equal(await page.getAttribute("#Form1", "aria-busy"), null);
      assert.deepEqual(errors, []);
      await context.close();
    });
  }

  test("start-up: the page says it is loading until the core has started", async () => {
    const context = await browser.newContext();
    const page = await context.newPage();
    let release;
    const held = new Promise((resolve) => {
      release = resolve;
    });
    await page.route("**/rating-core.js", async (route) => {
      await held;
      await route.continue();
    });
    await page.goto(support.pageAddress(site), {waitUntil: "commit"});
    await page.waitForSelector("#loading", {state: "visible"});
    assert.equal(await page.textContent("#loading"), "Loading the rating engine\u2026");
    release();
    await page.waitForSelector("html[data-ready]", {state: "attached"});
    assert.equal(await page.isHidden("#loading"), true);
    await context.close();
  });

  // Random reaches, typed in and pressed: each download, or message, is the
  // core's for the same texts.
  test("random reaches give the core's bytes and messages", async () => {
    const page = await openPage(browser, site);
    const ids = [
      "txtWidth", "txtBank", "txtSlope", "txtLength", "txtN", "txtMaxQ", "txtElev", "txtIncrement",
      "txtTitle", "txtFilename"
    ];
    let seed = 20261209;
    const next = (n) => {
      seed = (seed * 1103515245 + 12345) % 2147483648;
      return seed % n;
    };
    for (let i = 0; i < 40; ++i) {
      const texts = [
        String(next(500) + 1),
        String(next(5)),
        String(next(300)),
        `${next(20)}.${next(10)}`,
        `0.0${next(9) + 1}`,
        String(next(20000)),
        String(next(1000) - 500),
        `0.${next(9) + 1}`,
        `Reach ${i}`,
        `reach${i}.rat`,
      ];
      if (i % 5 === 4) texts[next(8)] = ["x", "", "-1", "1e39"][next(4)];
      for (let f = 0; f < ids.length; ++f) await page.fill(`#${ids[f]}`, texts[f]);
      const expected = support.pressInCore(core, ".", Object.fromEntries(ids.map((id, f) => [id, texts[f]])));
      if (expected.message !== null) {
        const shown = await pressFails(page, () => page.click("#Command1"));
        assert.equal(shown.message, expected.message, texts.join(" "));
      } else {
        const file = await press(page, () => page.click("#Command1"));
        assert.equal(file.name, expected.file.name);
        assert.deepEqual(file.bytes, Buffer.from(expected.file.bytes), texts.join(" "));
      }
    }
  });
});
