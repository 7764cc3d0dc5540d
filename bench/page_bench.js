// Times the page in headless Chromium: from opening it to a usable form,
// and a whole press of 1000 rows (the rating, the list, the curves and the
// download, up to the next frame drawn). Uses the browser tests' packages:
//   (cd tests/web && npm ci) && node bench/page_bench.js build/web/web/site
"use strict";

const path = require("node:path");
const {chromium} = require(path.join(__dirname, "../tests/web/node_modules/playwright-core"));
const {launch, openPage} = require("../tests/support/page_support");

const kOpenings = 11;
const kPresses = 21;
const kIncrement = "0.00517";  // ft; 1000 rows up to the default maximum flow

function report(what, milliseconds) {
  const sorted = [...milliseconds].sort((a, b) => a - b);
  const median = sorted[Math.floor(sorted.length / 2)];
  console.log(`${what}, ${sorted.length} runs: median ${median.toFixed(2)} ms, min ${
      sorted[0].toFixed(2)} ms, max ${sorted[sorted.length - 1].toFixed(2)} ms`);
}

(async () => {
  const site = path.resolve(process.argv[2] || "build/web/web/site");
  const browser = await launch(chromium);

  const openings = [];
  for (let i = 0; i < kOpenings; ++i) {
    const page = await openPage(browser, site);
    openings.push(await page.evaluate(() => performance.getEntriesByName("rating-form-ready")[0].startTime));
    await page.context().close();
  }
  report("opening the page to a usable form", openings);

  const page = await openPage(browser, site);
  await page.fill("#txtIncrement", kIncrement);
  const timePresses = async (what) => {
    const presses = [];
    for (let i = 0; i < kPresses; ++i) {
      presses.push(await page.evaluate(async () => {
        const start = performance.now();
        document.getElementById("Command1").click();
        await new Promise((drawn) => requestAnimationFrame(() => setTimeout(drawn, 0)));
        return performance.now() - start;
      }));
    }
    const rows = await page.$$eval("#List1 tbody tr", (tableRows) => tableRows.length);
    report(`whole press of ${rows} rows${what}`, presses);
  };
  await timePresses("");
  await page.click("#showRatingCurves");
  await timePresses(", the rating curves shown");
  await browser.close();
})();
