// The end every browser test shares: run its steps, report a failure, always end what it started
// (its Chromium, its server, its scratch folder) and leave with 0 or 1.
export async function runToEnd(main, report, ends) {
  let status = 0;
  try {
    await main();
  } catch (error) {
    report(error);
    status = 1;
  } finally {
    await ends();
  }
  process.exit(status);
}
