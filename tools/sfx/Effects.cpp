// The recipes of the game's four sound effects.
#include "Effects.h"

#include <cmath>

#include "Synth.h"

namespace brinecast::synth {

namespace {

size_t Frames(double seconds, int rate) {
  return static_cast<size_t>(std::lround(seconds * rate));
}

void FadeEdges(std::vector<double>& signal, size_t fade) {
  for (size_t i = 0; i < signal.size(); ++i) signal[i] *= EdgeFade(i, signal.size(), fade);
}

// The reel's ratchet: a pawl clicking over a toothed wheel, a little faster once
// the crank is up to speed, with a faint gear hum under it.
Recording Ratchet() {
  constexpr int kRate = 22050;
  const size_t n = Frames(4.7, kRate);
  std::vector<double> left(n, 0.0), right(n, 0.0);
  Noise noise(0x5EA5);
  double t = 0.02;
  int click = 0;
  while (t < 4.68) {
    const size_t start = static_cast<size_t>(t * kRate);
    // Every sixth tooth is the wheel's seam: a touch louder and lower.
    const bool seam = click % 6 == 0;
    const double pitch = seam ? 2300.0 : 2900.0 + 150.0 * std::sin(click * 0.9);
    Biquad body = Biquad::BandPass(pitch, 6.0, kRate);
    Biquad knock = Biquad::BandPass(seam ? 520.0 : 700.0, 3.0, kRate);
    const double gain = seam ? 1.0 : 0.75;
    const double pan = 0.5 + 0.18 * std::sin(click * 0.37);
    for (size_t i = 0; i < 600 && start + i < n; ++i) {
      const double e = std::exp(-static_cast<double>(i) / (kRate * 0.0035));
      const double excite = noise.Next() * (i < 40 ? 1.0 : 0.15) * e;
      const double s = gain * (body.Process(excite) * 2.2 + knock.Process(excite) * 1.4);
      left[start + i] += s * (1.0 - pan) * 2.0;
      right[start + i] += s * pan * 2.0;
    }
    // Speeds up from about 11 to 17 clicks a second over the first second.
    const double rate = 11.0 + 6.0 * std::min(1.0, t / 1.0);
    t += 1.0 / rate;
    ++click;
  }
  Biquad humL = Biquad::LowPass(260.0, 0.7, kRate), humR = Biquad::LowPass(260.0, 0.7, kRate);
  for (size_t i = 0; i < n; ++i) {
    const double wobble = 0.6 + 0.4 * std::sin(kTwoPi * 17.0 * static_cast<double>(i) / kRate);
    left[i] += humL.Process(noise.Next()) * 0.25 * wobble;
    right[i] += humR.Process(noise.Next()) * 0.25 * wobble;
  }
  const double peak = std::max(Peak(left), Peak(right));
  for (size_t i = 0; i < n; ++i) {
    const double g = 0.5 / peak * EdgeFade(i, n, kRate / 50);
    left[i] *= g;
    right[i] *= g;
  }
  return {kRate, 16, {left, right}};
}

// A short bright chirp with a soft tick at the front: a catch, a menu choice.
Recording Blip() {
  constexpr int kRate = 22050;
  const size_t n = Frames(0.07, kRate);
  std::vector<double> left(n), right(n);
  Noise noise(0xB11B);
  Biquad tick = Biquad::HighPass(3000.0, 0.7, kRate);
  double phase = 0;
  for (size_t i = 0; i < n; ++i) {
    const double t = static_cast<double>(i) / kRate;
    const double frequency = 1320.0 + 1200.0 * std::min(1.0, t / 0.035);
    phase += kTwoPi * frequency / kRate;
    const double e = std::min(1.0, t / 0.002) * std::exp(-t / 0.03);
    const double tone = std::sin(phase) + 0.3 * std::sin(2 * phase) + 0.1 * std::sin(3 * phase);
    const double click = tick.Process(noise.Next()) * std::exp(-t / 0.002) * 0.6;
    left[i] = tone * e + click;
    right[i] = tone * e * 0.92 + click;
  }
  const double peak = std::max(Peak(left), Peak(right));
  for (size_t i = 0; i < n; ++i) {
    const double g = 0.5 / peak * EdgeFade(i, n, kRate / 400);
    left[i] *= g;
    right[i] *= g;
  }
  return {kRate, 16, {left, right}};
}

// One brassy note: harmonics below the Nyquist limit, brighter as it starts.
void AddHorn(std::vector<double>& out, int rate, double start, double length, double frequency,
             double gain) {
  const size_t first = static_cast<size_t>(start * rate);
  const size_t count = static_cast<size_t>(length * rate);
  double phase = 0;
  for (size_t i = 0; i < count && first + i < out.size(); ++i) {
    const double t = static_cast<double>(i) / rate;
    const double vibrato = 1.0 + 0.004 * std::sin(kTwoPi * 5.5 * t) * std::min(1.0, t / 0.3);
    phase += kTwoPi * frequency * vibrato / rate;
    const double env = std::min(1.0, t / 0.015) * (0.55 + 0.45 * std::exp(-t / 0.12)) *
                       std::min(1.0, (length - t) / 0.06);
    const double brightness = 0.35 + 0.65 * std::exp(-t / 0.2);
    double s = 0;
    for (int h = 1; h <= 8; ++h) {
      if (frequency * h > rate * 0.45) break;
      s += std::pow(brightness, h - 1) / h * std::sin(phase * h);
    }
    out[first + i] += s * env * gain;
  }
}

// A cheerful rising fanfare: a quick major arpeggio that lands on a held chord.
Recording Fanfare() {
  constexpr int kRate = 12000;
  std::vector<double> out(Frames(1.8, kRate), 0.0);
  const double c5 = NoteFrequency(12);
  const double steps[] = {0, 4, 7, 12};
  for (int i = 0; i < 4; ++i) {
    AddHorn(out, kRate, 0.01 + i * 0.11, 0.2, c5 * std::pow(2.0, steps[i] / 12.0), 0.8);
  }
  AddHorn(out, kRate, 0.45, 1.33, c5 * 2.0, 0.7);
  AddHorn(out, kRate, 0.47, 1.31, c5 * std::pow(2.0, 16.0 / 12.0), 0.45);
  AddHorn(out, kRate, 0.49, 1.29, c5 * std::pow(2.0, 7.0 / 12.0), 0.5);
  Normalize(out, 0.55);
  FadeEdges(out, kRate / 200);
  return {kRate, 16, {out}};
}

// A falling minor phrase that sinks into a slow slide at the end.
Recording Fall() {
  constexpr int kRate = 11025;
  std::vector<double> out(Frames(0.8, kRate), 0.0);
  struct Step {
    double start, length, from, to;
  };
  // Semitones from middle C.
  const Step steps[] = {{0.0, 0.17, 16, 16}, {0.17, 0.17, 12, 12}, {0.34, 0.46, 9, 4}};
  for (const Step& step : steps) {
    const size_t first = static_cast<size_t>(step.start * kRate);
    const size_t count = static_cast<size_t>(step.length * kRate);
    double phase = 0;
    for (size_t i = 0; i < count && first + i < out.size(); ++i) {
      const double t = static_cast<double>(i) / kRate;
      const double glide = std::min(1.0, std::max(0.0, (t - 0.08) / (step.length - 0.1)));
      const double pitch = step.from + (step.to - step.from) * glide;
      phase += kTwoPi * NoteFrequency(pitch) / kRate;
      // Triangle with a little second harmonic: round, not buzzy at 8 bits.
      const double tri = 2.0 / kPi * std::asin(std::sin(phase));
      const double env = std::min(1.0, t / 0.012) * std::min(1.0, (step.length - t) / 0.03);
      out[first + i] += (tri + 0.25 * std::sin(2 * phase)) * env;
    }
  }
  Normalize(out, 0.6);
  FadeEdges(out, kRate / 200);
  return {kRate, 8, {out}};
}

}  // namespace

std::vector<NamedRecording> MakeEffects() {
  return {{"Up", Ratchet()}, {"Poimal", Blip()}, {"Level", Fanfare()}, {"Over", Fall()}};
}

}  // namespace brinecast::synth
