// The game's picture as the browser shows it, read from real screenshots of the page, with the
// same tests of its screens as the desktop test makes of the real window. Positions are pixels
// of the game's 800 x 600 picture, wherever and however large the page shows it.
import { decodePng } from "./png.mjs";

export class Picture {
  constructor(image, rect) {
    this.image = image;
    this.rect = rect; // the canvas on the page, CSS pixels
  }

  // Colour of a picture pixel, the centre of where the page shows it.
  pixel(x, y) {
    const { width, height, rgba } = this.image;
    const sx = Math.min(width - 1, Math.floor(((2 * x + 1) * width) / 1600));
    const sy = Math.min(height - 1, Math.floor(((2 * y + 1) * height) / 1200));
    const o = (sy * width + sx) * 4;
    return { r: rgba[o], g: rgba[o + 1], b: rgba[o + 2] };
  }

  count(x0, y0, x1, y1, test) {
    let n = 0;
    for (let y = y0; y < y1; y++) {
      for (let x = x0; x < x1; x++) if (test(this.pixel(x, y))) n++;
    }
    return n;
  }

  // A fingerprint of a picture rectangle, to tell pictures apart.
  sum(x0, y0, x1, y1) {
    let s = 0;
    for (let y = y0; y < y1; y++) {
      for (let x = x0; x < x1; x++) {
        const { r, g, b } = this.pixel(x, y);
        s = (s * 31 + r * 65536 + g * 256 + b) % 2147483647;
      }
    }
    return s;
  }
}

// Where the page shows the game's picture: the canvas's box in page pixels.
export async function canvasRect(page) {
  return page.evaluate(`(() => {
    const c = document.querySelector("canvas");
    if (!c) return null;
    const r = c.getBoundingClientRect();
    return { x: r.x, y: r.y, width: r.width, height: r.height };
  })()`);
}

export async function grab(page) {
  const rect = await canvasRect(page);
  if (!rect || rect.width < 8 || rect.height < 6) return null;
  const png = await page.screenshot({ ...rect, scale: 1 });
  return new Picture(decodePng(png), rect);
}

// A picture position to the page position that shows it.
export function toPage(picture, x, y) {
  const { rect } = picture;
  return { x: rect.x + ((x + 0.5) * rect.width) / 800, y: rect.y + ((y + 0.5) * rect.height) / 600 };
}

const menuRows = [179, 225, 275, 321, 370, 419];

function fishAt(p, row) {
  const { r, g, b } = p.pixel(290, row + 15);
  return r > 225 && g > 135 && g < 205 && b < 125;
}

export const screens = {
  menuBackground(p) {
    const { r, g } = p.pixel(150, 590);
    return r > 150 && g > 110;
  },
  // The main menu with item n (1..6) alone lit.
  menuLit(p, n) {
    if (!screens.menuBackground(p)) return false;
    return menuRows.every((row, i) => fishAt(p, row) === (i + 1 === n));
  },
  playField(p) {
    const { r, g, b } = p.pixel(150, 590);
    return r < 80 && g < 80 && b < 80;
  },
  woodAt(p, x, y) {
    const { r, g, b } = p.pixel(x, y);
    return r > 125 && r < 190 && g > 80 && g < 135 && b > 30 && b < 90;
  },
  pillAt(p, x, y) {
    const { r, g, b } = p.pixel(x, y);
    return r > 230 && g > 180 && b < 150;
  },
  exitQuestion(p) {
    return screens.woodAt(p, 570, 240) && screens.menuBackground(p);
  },
  boxEmpty(p) {
    const { r, g, b } = p.pixel(386, 381);
    return r > 235 && g > 235 && b > 235;
  },
  boxTicked(p) {
    const { r, g, b } = p.pixel(386, 381);
    return r < 110 && g > 140 && b < 140;
  },
  nameEntry(p) {
    return (
      screens.woodAt(p, 539, 307) && screens.playField(p) && (screens.boxEmpty(p) || screens.boxTicked(p))
    );
  },
  optionsScreen(p) {
    if (!screens.menuBackground(p)) return false;
    const { r, g, b } = p.pixel(600, 420);
    return r > 235 && g > 225 && b > 180;
  },
  // Options rows as lit: screen "window"|"full", music and sound "on"|"off".
  optionsShow(p, screen, music, sound) {
    if (!screens.optionsScreen(p)) return false;
    const pick = (on, a, b, y) => screens.pillAt(p, on ? a : b, y) && !screens.pillAt(p, on ? b : a, y);
    return pick(screen === "window", 305, 451, 239) && pick(music === "on", 305, 395, 287) && pick(sound === "on", 305, 395, 335);
  },
  subScreenBackLit(p) {
    return screens.menuBackground(p) && screens.pillAt(p, 50, 517);
  },
  levelBanner(p) {
    return p.count(325, 295, 440, 330, ({ r, g, b }) => r > 200 && g > 150 && b < 110) > 20;
  },
  pauseBanner(p) {
    return screens.playField(p) && p.count(355, 280, 480, 325, ({ r, g, b }) => r > 235 && g > 235 && b > 235) > 40;
  },
  messageBox(p) {
    const a = p.pixel(275, 300);
    const b = p.pixel(150, 590);
    return a.r > 230 && a.g > 230 && a.b > 230 && b.r < 40 && b.g < 40 && b.b < 40;
  },
};
