// Synthesising the music's instruments: each kind's sample and volume envelope.
#include "Instruments.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <set>

#include "sfx/Synth.h"

namespace brinecast::xm {

namespace {

using synth::kPi;
using synth::kTwoPi;

// Samples are made at 8363 Hz times 2^(k/12) so that a relative note of k minus
// the base note plays them in tune; pitched kinds use k = 12, drums k = 24.
double RateFor(int k) {
  return 8363.0 * std::pow(2.0, k / 12.0);
}

class Settings {
 public:
  explicit Settings(const InstrumentRecipe& r) : recipe_(r) {
    static const std::set<std::string> kKnown = {"volume", "base",    "length",  "attack",
                                                 "decay",  "sustain", "release", "bright",
                                                 "detune", "pan",     "tone"};
    for (const auto& [key, value] : r.settings) {
      if (!kKnown.count(key)) Fail("unknown setting '" + key + "'");
    }
  }
  double Get(const std::string& key, double fallback, double low, double high) const {
    auto it = recipe_.settings.find(key);
    if (it == recipe_.settings.end()) return fallback;
    char* end = nullptr;
    const double v = std::strtod(it->second.c_str(), &end);
    if (end == it->second.c_str() || *end != '\0' || !(v >= low && v <= high)) {
      Fail("setting " + key + "=" + it->second + " out of range");
    }
    return v;
  }
  int Note(const std::string& key, const char* fallback) const {
    auto it = recipe_.settings.find(key);
    const int note = ParseNote(it == recipe_.settings.end() ? fallback : it->second);
    if (note == 0) Fail("setting " + key + " is no note");
    return note;
  }
  [[noreturn]] void Fail(const std::string& message) const {
    throw ScoreError("instrument '" + recipe_.name + "': " + message);
  }

 private:
  const InstrumentRecipe& recipe_;
};

std::vector<int16_t> ToPcm(std::vector<double> signal, double peak) {
  synth::Normalize(signal, peak);
  std::vector<int16_t> pcm(signal.size());
  std::transform(signal.begin(), signal.end(), pcm.begin(), synth::ToPcm16);
  return pcm;
}

// Finetune (1/128 semitone) that corrects a sample made at `actual` Hz instead of `wanted`.
int8_t Finetune(double actual, double wanted) {
  const double units = std::round(12.0 * 128.0 * std::log2(wanted / actual));
  return static_cast<int8_t>(std::clamp(units, -128.0, 127.0));
}

// A plucked string (a delay line losing energy through an averaging filter).
std::vector<double> Pluck(double rate, double frequency, double seconds, double bright,
                          double& actualFrequency) {
  // Each pass averages a sample with the one after it, so a period is delay - 0.5.
  const size_t delay =
      std::max<size_t>(2, static_cast<size_t>(std::lround(rate / frequency + 0.5)));
  actualFrequency = rate / (static_cast<double>(delay) - 0.5);
  synth::Noise noise(static_cast<uint32_t>(delay * 7919));
  std::vector<double> line(delay);
  double smooth = 0;
  for (double& v : line) {
    // Darker strings start from smoother noise.
    smooth += (noise.Next() - smooth) * (0.15 + 0.85 * bright);
    v = smooth;
  }
  const size_t n = static_cast<size_t>(seconds * rate);
  std::vector<double> out(n);
  const double loss = 0.992 + 0.0075 * (1.0 - bright * 0.5);
  for (size_t i = 0; i < n; ++i) {
    const size_t k = i % delay;
    const double next = line[(k + 1) % delay];
    const double v = line[k];
    out[i] = v;
    line[k] = loss * 0.5 * (v + next);
  }
  // Round off the attack a touch and fade the tail to silence.
  for (size_t i = 0; i < n; ++i) {
    const double t = static_cast<double>(i) / rate;
    out[i] *= std::min(1.0, t / 0.002) * std::min(1.0, (seconds - t) / 0.15);
  }
  return out;
}

// A seamless loop of exactly `cycles` periods of the fundamental, built from
// harmonics; detuned copies keep whole periods too, so the loop never clicks.
std::vector<double> AdditiveLoop(double rate, size_t length, size_t cycles, double detuneCents,
                                 const std::function<double(int)>& harmonic) {
  std::vector<double> out(length, 0.0);
  const double spread = std::pow(2.0, detuneCents / 1200.0) - 1.0;
  const size_t offset = std::max<size_t>(1, static_cast<size_t>(std::lround(cycles * spread)));
  const size_t voices[3] = {cycles, cycles + offset, cycles - offset};
  const double gains[3] = {1.0, detuneCents > 0 ? 0.7 : 0.0, detuneCents > 0 ? 0.7 : 0.0};
  for (int v = 0; v < 3; ++v) {
    if (gains[v] == 0) continue;
    for (int h = 1; h < 64; ++h) {
      const double cyclesH = static_cast<double>(voices[v]) * h;
      if (cyclesH / static_cast<double>(length) * rate > rate * 0.4) break;
      const double a = harmonic(h) * gains[v];
      if (a == 0) continue;
      const double phase0 = (v * 1.7 + h * 0.61);
      for (size_t i = 0; i < length; ++i) {
        out[i] += a * std::sin(kTwoPi * cyclesH * static_cast<double>(i) / length + phase0);
      }
    }
  }
  return out;
}

std::vector<double> Drum(const std::string& kind, double rate, double seconds, double tone) {
  const size_t n = static_cast<size_t>(seconds * rate);
  std::vector<double> out(n);
  synth::Noise noise(kind == "snare" ? 77u : 991u);
  auto hp = synth::Biquad::HighPass(6500.0 * tone, 0.8, rate);
  auto bp = synth::Biquad::BandPass(3000.0 * tone, 0.9, rate);
  double phase = 0;
  for (size_t i = 0; i < n; ++i) {
    const double t = static_cast<double>(i) / rate;
    double s = 0;
    if (kind == "kick") {
      const double f = 45.0 * tone + 110.0 * std::exp(-t / 0.03);
      phase += kTwoPi * f / rate;
      s = std::sin(phase) * std::exp(-t / (seconds * 0.35)) +
          noise.Next() * 0.25 * std::exp(-t / 0.004);
    } else if (kind == "snare") {
      phase += kTwoPi * 190.0 * tone / rate;
      s = std::sin(phase) * 0.6 * std::exp(-t / 0.05) +
          bp.Process(noise.Next()) * 1.6 * std::exp(-t / (seconds * 0.3));
    } else {  // hat
      s = hp.Process(noise.Next()) * std::exp(-t / (seconds * 0.3));
    }
    out[i] = s * std::min(1.0, t / 0.0008) * std::min(1.0, (seconds - t) / 0.01);
  }
  return out;
}

std::vector<double> Bell(double rate, double frequency, double seconds) {
  const size_t n = static_cast<size_t>(seconds * rate);
  std::vector<double> out(n);
  const double ratios[] = {1.0, 2.0, 3.01, 4.2, 5.43};
  const double gains[] = {1.0, 0.45, 0.25, 0.12, 0.08};
  const double decays[] = {1.0, 0.6, 0.35, 0.2, 0.12};
  for (size_t i = 0; i < n; ++i) {
    const double t = static_cast<double>(i) / rate;
    double s = 0;
    for (int p = 0; p < 5; ++p) {
      if (frequency * ratios[p] > rate * 0.4) break;
      s += gains[p] * std::exp(-t / (seconds * 0.3 * decays[p])) *
           std::sin(kTwoPi * frequency * ratios[p] * t);
    }
    out[i] = s * std::min(1.0, t / 0.002) * std::min(1.0, (seconds - t) / 0.05);
  }
  return out;
}

uint16_t Ticks(double seconds, int bpm) {
  // A tick lasts 2.5 / bpm seconds.
  return static_cast<uint16_t>(std::clamp(std::lround(seconds * bpm / 2.5), 0L, 1000L));
}

}  // namespace

Instrument BuildInstrument(const InstrumentRecipe& recipe, int bpm) {
  const Settings s(recipe);
  Instrument instrument;
  instrument.name = recipe.name;
  Sample& sample = instrument.sample;
  sample.name = recipe.kind;
  sample.volume = static_cast<uint8_t>(s.Get("volume", 48, 0, 64));
  sample.panning = static_cast<uint8_t>(s.Get("pan", 128, 0, 255));
  const bool drum = recipe.kind == "kick" || recipe.kind == "snare" || recipe.kind == "hat";
  const int k = drum ? 24 : 12;
  const double rate = RateFor(k);
  const int base = s.Note("base", "c4");
  sample.relativeNote = static_cast<int8_t>(k - (base - 49));
  const double wanted = synth::NoteFrequency(base - 49);
  const double bright = s.Get("bright", 0.5, 0, 1);
  const double release = s.Get("release", 0.15, 0.02, 10);
  bool sustained = false;

  if (recipe.kind == "pluck") {
    double actual = wanted;
    sample.data = ToPcm(Pluck(rate, wanted, s.Get("length", 1.5, 0.1, 8), bright, actual), 0.95);
    sample.finetune = Finetune(actual, wanted);
  } else if (recipe.kind == "pad" || recipe.kind == "reed" || recipe.kind == "organ") {
    const size_t length = static_cast<size_t>(rate * s.Get("length", 1.0, 0.2, 4));
    const size_t cycles = static_cast<size_t>(std::lround(wanted * length / rate));
    const double actual = static_cast<double>(cycles) * rate / length;
    std::function<double(int)> harmonic;
    if (recipe.kind == "pad") {
      // Soft saw: every harmonic, falling away quickly.
      harmonic = [bright](int h) { return std::pow(0.35 + 0.5 * bright, h - 1) / h; };
    } else if (recipe.kind == "reed") {
      // Reedy: strong odd harmonics, weaker even ones, a small bump near the fifth.
      harmonic = [bright](int h) {
        const double odd = (h % 2) ? 1.0 : 0.45;
        return odd / h * std::pow(0.55 + 0.4 * bright, h - 1) * (h == 5 ? 1.6 : 1.0);
      };
    } else {
      // Stopped pipes: fundamental, octave and twelfth.
      harmonic = [](int h) {
        return h == 1 ? 1.0 : h == 2 ? 0.5 : h == 3 ? 0.3 : h == 4 ? 0.15 : 0;
      };
    }
    // The attack is part of the sample, smooth to the sample rather than stepped
    // tick by tick as an envelope would be: one faded-in copy of the loop, then the loop.
    std::vector<double> loop =
        AdditiveLoop(rate, length, cycles, s.Get("detune", 8, 0, 50), harmonic);
    std::vector<double> data(loop);
    const double attack = std::max(0.004, std::min(s.Get("attack", 0.05, 0, 5), length / rate));
    for (size_t i = 0; i < data.size(); ++i) {
      const double t = static_cast<double>(i) / rate;
      if (t < attack) data[i] *= 0.5 - 0.5 * std::cos(kPi * t / attack);
    }
    data.insert(data.end(), loop.begin(), loop.end());
    sample.data = ToPcm(data, 0.9);
    sample.loopStart = static_cast<uint32_t>(length);
    sample.loopLength = static_cast<uint32_t>(length);
    sample.finetune = Finetune(actual, wanted);
    sustained = true;
  } else if (recipe.kind == "bell") {
    sample.data = ToPcm(Bell(rate, wanted, s.Get("length", 1.2, 0.1, 6)), 0.95);
  } else if (drum) {
    const double fallback = recipe.kind == "kick" ? 0.45 : recipe.kind == "snare" ? 0.25 : 0.06;
    sample.data =
        ToPcm(Drum(recipe.kind, rate, s.Get("length", fallback, 0.02, 2), s.Get("tone", 1, 0.3, 3)),
              0.95);
  } else {
    s.Fail("unknown kind '" + recipe.kind + "'");
  }

  if (sustained) {
    // Held at full through the sample's own attack, then easing to the sustain level.
    const uint16_t attack = Ticks(s.Get("attack", 0.05, 0, 5), bpm);
    const uint16_t decay = Ticks(s.Get("decay", 0.3, 0, 10), bpm);
    const auto level = static_cast<uint16_t>(std::lround(64 * s.Get("sustain", 0.8, 0, 1)));
    instrument.volume.points = {{0, 64},
                                {static_cast<uint16_t>(attack + 1), 64},
                                {static_cast<uint16_t>(attack + decay + 2), level}};
    instrument.volume.sustain = 2;
  } else {
    instrument.volume.points = {{0, 64}, {1, 64}};
    instrument.volume.sustain = 1;
  }
  // Fadeout is taken from 65536 each tick after key off.
  const double ticks = std::max(1.0, release * bpm / 2.5);
  instrument.fadeout = static_cast<uint16_t>(std::clamp(65536.0 / ticks, 1.0, 4095.0));
  return instrument;
}

}  // namespace brinecast::xm
