// The look of the server's pages: the game's sky over its sea behind a light sheet that
// reads on a desktop and on a phone's narrow screen, its yellow fish for the one big button.
#include "scores/service/PageAssets.h"

#include <string>

#include "LogoSvg.h"
#include "scores/service/SecurityPolicies.h"

namespace brinecast::scores {

namespace {

constexpr std::string_view kStyleSheet = R"(*{box-sizing:border-box}
html{background:#0a3a73}
body{margin:0;min-height:100vh;color:#0b2233;font:16px/1.45 system-ui,"Liberation Sans",Arial,sans-serif;
background:linear-gradient(180deg,#ffe6a8 0,#9fdcff 7rem,#bdeeff 7rem,#4ab4e6 8.5rem,#2a9be0 20rem,#0a3a73 44rem) no-repeat,#0a3a73}
header.top{display:flex;align-items:center;justify-content:space-between;gap:.6rem;max-width:56rem;margin:0 auto;padding:.8rem 1rem 1.4rem}
a.brand{display:flex;align-items:center;gap:.55rem;color:#0a3a73;font-weight:800;font-size:1.45rem;text-decoration:none;letter-spacing:.01em}
a.brand img{width:3rem;height:3rem;filter:drop-shadow(0 2px 3px rgba(10,58,115,.35))}
header.top nav a{color:#0a3a73;font-weight:600}
main{max-width:56rem;margin:0 auto 2rem;padding:1.2rem 1.2rem 1.6rem;background:#f4fbff;border-radius:.9rem;box-shadow:0 8px 28px rgba(5,28,56,.45)}
h1{margin:.1rem 0 .3rem;font-size:1.7rem;color:#0a3a73}
h2{margin:1.6rem 0 .4rem;font-size:1.25rem;color:#0a3a73}
p.lead{margin:0 0 1rem;color:#3d5d70}
a{color:#0b6fa8}
a.button{display:inline-block;margin:.5rem 0;padding:.7rem 1.2rem;border-radius:.5rem;background:#0b6fa8;color:#fff;font-weight:600;text-decoration:none}
.hero{text-align:center}
.hero h1{font-size:2.6rem;margin-top:0}
.hero p.lead{font-size:1.15rem}
a.play{display:inline-block;margin:.4rem 0 1rem;padding:.9rem 2.8rem;border-radius:2rem;font-size:1.6rem;font-weight:800;color:#3a2a00;text-decoration:none;
background:linear-gradient(180deg,#fff27a 10%,#ffd21f 60%,#f5b400);box-shadow:0 4px 0 #b88400,0 6px 16px rgba(10,58,115,.35)}
a.play:hover,a.play:focus{filter:brightness(1.06)}
img.shot{display:block;width:100%;max-width:800px;height:auto;margin:0 auto 1rem;border-radius:.6rem;box-shadow:0 4px 18px rgba(10,58,115,.35)}
p.keys{margin:.2rem 0 1.2rem;color:#3d5d70}
kbd{display:inline-block;padding:0 .35rem;border:1px solid #9fc3d8;border-bottom-width:2px;border-radius:.3rem;background:#fff;font:600 .85rem/1.5 system-ui,"Liberation Sans",Arial,sans-serif}
p.absent{padding:.8rem;border-radius:.5rem;background:#fff4d6;color:#5a4300}
table{width:100%;border-collapse:collapse}
th,td{padding:.35rem .4rem;text-align:left;vertical-align:top;overflow-wrap:anywhere}
th{background:#0b6fa8;color:#fff;font-weight:600}
tr:nth-child(even) td{background:#e2f1f9}
td.n,th.n{text-align:right;white-space:nowrap;font-variant-numeric:tabular-nums}
tbody tr:nth-child(1) td.r{color:#b8860b;font-weight:700}
tbody tr:nth-child(2) td.r{color:#708090;font-weight:700}
tbody tr:nth-child(3) td.r{color:#a0522d;font-weight:700}
td.s{font-weight:600}
td.d{color:#3d5d70;white-space:nowrap}
a.proof,a.watch{display:inline-block;margin-left:.4rem;padding:0 .35rem;border-radius:.3rem;font-size:.8rem;font-weight:600;text-decoration:none;white-space:nowrap}
a.proof{background:#d8efe0;color:#1e7b3a}
a.watch{background:#ffe98a;color:#4a3800}
.under{display:none;font-weight:400;font-size:.85rem;color:#3d5d70}
.empty{padding:1.4rem 0;text-align:center;color:#3d5d70}
@media (max-width:36rem){body{font-size:15px}main{padding:.7rem;border-radius:.6rem}header.top{padding:.6rem .7rem 1rem}
a.brand{font-size:1.2rem}a.brand img{width:2.4rem;height:2.4rem}.hero h1{font-size:2rem}a.play{font-size:1.35rem;padding:.8rem 2rem}
th,td{padding:.3rem .25rem}.w{display:none}.under{display:block}}
)";

StaticFiles MakeAssets() {
  StaticFiles assets{std::string(kPagePolicy)};
  assets.Add(std::string(kStyleSheetName), std::string(kStyleSheet));
  assets.Add(std::string(kLogoName), std::string(kLogoSvg));
  return assets;
}

}  // namespace

const StaticFiles& PageAssets() {
  static const StaticFiles assets = MakeAssets();
  return assets;
}

}  // namespace brinecast::scores
