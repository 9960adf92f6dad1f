// The two music modules, rendered with the same player the game uses.
#include <gtest/gtest.h>
#include <unistd.h>
#include <xmp.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/ScratchFolder.h"

namespace {

std::vector<char> ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

constexpr int kRate = 44100;

// What one pass through a module sounds like, up to the moment it starts over.
struct Rendering {
  bool loaded = false;
  bool looped = false;
  double seconds = 0;
  double peak = 0;        // of full scale
  double rmsDb = -200;    // whole pass, dBFS
  double quietestDb = 0;  // the quietest two-second stretch, dBFS
};

Rendering Render(const std::vector<char>& bytes, double maxSeconds) {
  Rendering r;
  xmp_context ctx = xmp_create_context();
  if (xmp_load_module_from_memory(ctx, bytes.data(), static_cast<long>(bytes.size())) != 0) {
    xmp_free_context(ctx);
    return r;
  }
  r.loaded = true;
  xmp_start_player(ctx, kRate, 0);
  std::vector<int16_t> buffer(2048 * 2);
  size_t frames = 0;
  double sum = 0, window = 0;
  size_t windowFrames = 0;
  r.quietestDb = 0;
  bool sawWindow = false;
  while (frames < static_cast<size_t>(maxSeconds * kRate)) {
    if (xmp_play_buffer(ctx, buffer.data(), static_cast<int>(buffer.size() * 2), 0) != 0) break;
    xmp_frame_info info;
    xmp_get_frame_info(ctx, &info);
    if (info.loop_count > 0) {
      r.looped = true;
      break;
    }
    for (int16_t s : buffer) {
      r.peak = std::max(r.peak, std::abs(s) / 32768.0);
      sum += static_cast<double>(s) * s;
      window += static_cast<double>(s) * s;
    }
    frames += buffer.size() / 2;
    windowFrames += buffer.size() / 2;
    if (windowFrames >= 2 * kRate) {
      const double db =
          10 * std::log10(window / (windowFrames * 2.0) / (32768.0 * 32768.0) + 1e-20);
      r.quietestDb = sawWindow ? std::min(r.quietestDb, db) : db;
      sawWindow = true;
      window = 0;
      windowFrames = 0;
    }
  }
  r.seconds = static_cast<double>(frames) / kRate;
  if (frames > 0) {
    r.rmsDb = 10 * std::log10(sum / (frames * 2.0) / (32768.0 * 32768.0) + 1e-20);
  }
  xmp_end_player(ctx);
  xmp_release_module(ctx);
  xmp_free_context(ctx);
  return r;
}

struct Song {
  const char* file;
  double minSeconds, maxSeconds;
};

class MusicModule : public testing::TestWithParam<Song> {};

TEST_P(MusicModule, LoadsAndLoopsWithinItsLengthAtAComfortableLevel) {
  const Song song = GetParam();
  const auto bytes = ReadAll(std::filesystem::path(BRINECAST_APPDIR) / "Sound" / song.file);
  ASSERT_FALSE(bytes.empty()) << song.file;

  xmp_context ctx = xmp_create_context();
  ASSERT_EQ(xmp_load_module_from_memory(ctx, bytes.data(), static_cast<long>(bytes.size())), 0);
  xmp_module_info info;
  xmp_get_module_info(ctx, &info);
  EXPECT_GE(info.mod->chn, 4);
  EXPECT_GE(info.mod->ins, 4);
  EXPECT_NE(std::string(info.mod->type).find("XM 1.04"), std::string::npos) << info.mod->type;
  xmp_release_module(ctx);
  xmp_free_context(ctx);

  const Rendering r = Render(bytes, song.maxSeconds + 30);
  ASSERT_TRUE(r.loaded);
  EXPECT_TRUE(r.looped) << "no loop within " << song.maxSeconds + 30 << " s";
  EXPECT_GE(r.seconds, song.minSeconds);
  EXPECT_LE(r.seconds, song.maxSeconds);
  // Loud enough to hear, with headroom left for the effects on top.
  EXPECT_LT(r.peak, 0.9);
  EXPECT_GT(r.peak, 0.2);
  EXPECT_GT(r.rmsDb, -30.0);
  EXPECT_LT(r.rmsDb, -12.0);
  // No stretch of the tune falls silent.
  EXPECT_GT(r.quietestDb, -45.0);
}

INSTANTIATE_TEST_SUITE_P(Songs, MusicModule,
                         testing::Values(Song{"1.xm", 45, 120}, Song{"2.xm", 60, 180}),
                         [](const auto& p) {
                           return std::string(1, p.param.file[0]) == "1" ? "Menu" : "Play";
                         });

// The writer's round trip: a tiny score through brinecast-xm, read back by libxmp.
class XmWriterRoundTrip : public testing::Test {
 protected:
  // Runs the writer; returns its exit status.
  int Write(const std::string& score) {
    std::ofstream(dir_ / "tiny.score") << score;
    const std::string command = std::string(BRINECAST_BINARY_DIR) + "/tools/xm/brinecast-xm '" +
                                (dir_ / "tiny.score").string() + "' '" +
                                (dir_ / "tiny.xm").string() + "' 2>'" +
                                (dir_ / "errors.txt").string() + "'";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  brinecast::testing::ScratchFolder folder_{"brinecast-xm"};
  const std::filesystem::path dir_ = folder_.Path();
};

constexpr const char* kTinyScore = R"(# two patterns, a pad and a pluck
title tiny
channels 5
speed 4
bpm 120
restart 1
instrument soft pad volume=40 attack=0.1
instrument string pluck base=c3 volume=50
phrase rise c4:2 g4
pattern a 16
1 soft: c4:8 -
5 string: $rise $rise+2 $rise+4 $rise-1
pattern b 32
2 string: e3:16 f#3  # a sharp, then a comment
order b a
order b
)";

TEST_F(XmWriterRoundTrip, TinyScoreReadsBackAsWritten) {
  ASSERT_EQ(Write(kTinyScore), 0) << std::ifstream(dir_ / "errors.txt").rdbuf();
  const auto bytes = ReadAll(dir_ / "tiny.xm");
  xmp_context ctx = xmp_create_context();
  ASSERT_EQ(xmp_load_module_from_memory(ctx, bytes.data(), static_cast<long>(bytes.size())), 0);
  xmp_module_info info;
  xmp_get_module_info(ctx, &info);
  const xmp_module& mod = *info.mod;
  EXPECT_STREQ(mod.name, "tiny");
  EXPECT_EQ(mod.chn, 5);
  EXPECT_EQ(mod.ins, 2);
  EXPECT_EQ(mod.spd, 4);
  EXPECT_EQ(mod.bpm, 120);
  ASSERT_EQ(mod.len, 3);
  EXPECT_EQ(mod.rst, 1);
  EXPECT_EQ(mod.xxo[0], 1);
  EXPECT_EQ(mod.xxo[1], 0);
  EXPECT_EQ(mod.xxo[2], 1);
  ASSERT_GE(mod.pat, 2);
  EXPECT_EQ(mod.xxp[0]->rows, 16);
  EXPECT_EQ(mod.xxp[1]->rows, 32);

  // Pattern a: the pad's note and key-off on channel 1, the phrase's notes on channel 5.
  const auto event = [&](int pattern, int channel, int row) {
    return mod.xxt[mod.xxp[pattern]->index[channel]]->event[row];
  };
  EXPECT_EQ(event(0, 0, 0).ins, 1);
  EXPECT_EQ(event(0, 0, 8).note, XMP_KEY_OFF);
  EXPECT_EQ(event(0, 4, 0).ins, 2);
  const int c4 = event(0, 0, 0).note;
  EXPECT_EQ(event(0, 4, 0).note, c4);
  EXPECT_EQ(event(0, 4, 2).note, c4 + 7);
  EXPECT_EQ(event(0, 4, 4).note, c4 + 2);
  EXPECT_EQ(event(0, 4, 14).note, c4 + 6);
  EXPECT_EQ(event(0, 4, 1).note, 0);
  EXPECT_EQ(event(1, 1, 0).note, c4 - 8);
  EXPECT_EQ(event(1, 1, 16).note, c4 - 6);
  EXPECT_EQ(event(1, 0, 0).note, 0);

  // The pad loops and the pluck does not; both decode to the level they were
  // normalised to, which only holds if the delta encoding is right.
  ASSERT_EQ(mod.smp, 2);
  const xmp_sample& pad = mod.xxs[mod.xxi[0].sub[0].sid];
  const xmp_sample& pluck = mod.xxs[mod.xxi[1].sub[0].sid];
  EXPECT_TRUE(pad.flg & XMP_SAMPLE_LOOP);
  EXPECT_FALSE(pluck.flg & XMP_SAMPLE_LOOP);
  EXPECT_EQ(pad.lpe, pad.len);
  // Instrument headers: names, default volumes, the pad's held envelope, a fade on key-off.
  EXPECT_STREQ(mod.xxi[0].name, "soft");
  EXPECT_STREQ(mod.xxi[1].name, "string");
  EXPECT_EQ(mod.xxi[0].sub[0].vol, 40);
  EXPECT_EQ(mod.xxi[1].sub[0].vol, 50);
  const xmp_envelope& env = mod.xxi[0].aei;
  EXPECT_EQ(env.flg & (XMP_ENVELOPE_ON | XMP_ENVELOPE_SUS), XMP_ENVELOPE_ON | XMP_ENVELOPE_SUS);
  EXPECT_EQ(env.npt, 3);
  EXPECT_EQ(env.sus, 2);
  EXPECT_EQ(env.data[1], 64);
  EXPECT_FALSE(mod.xxi[0].pei.flg & XMP_ENVELOPE_ON);
  EXPECT_GT(mod.xxi[0].rls, 0);
  for (const xmp_sample* s : {&pad, &pluck}) {
    ASSERT_TRUE(s->flg & XMP_SAMPLE_16BIT);
    ASSERT_GT(s->len, 1000);
    const auto* data = reinterpret_cast<const int16_t*>(s->data);
    int peak = 0;
    for (int i = 0; i < s->len; ++i) peak = std::max(peak, std::abs(static_cast<int>(data[i])));
    EXPECT_GT(peak, 0.85 * 32767);
    EXPECT_LT(peak, 0.96 * 32767);
  }
  xmp_release_module(ctx);
  xmp_free_context(ctx);

  const Rendering r = Render(bytes, 30);
  EXPECT_TRUE(r.looped);
  EXPECT_GT(r.peak, 0.05);
  // 16 + 32 + 32 rows of 4 ticks at 120 bpm (a tick is 2.5 / 120 s).
  EXPECT_NEAR(r.seconds, 80 * 4 * 2.5 / 120, 0.1);
}

// Plays a module for `seconds` and returns the left and right samples summed.
std::vector<double> Play(const std::vector<char>& bytes, double seconds) {
  std::vector<double> mono;
  xmp_context ctx = xmp_create_context();
  if (xmp_load_module_from_memory(ctx, bytes.data(), static_cast<long>(bytes.size())) == 0) {
    xmp_start_player(ctx, kRate, 0);
    std::vector<int16_t> buffer(1024 * 2);
    while (mono.size() < seconds * kRate &&
           xmp_play_buffer(ctx, buffer.data(), static_cast<int>(buffer.size() * 2), 0) == 0) {
      for (size_t i = 0; i < buffer.size(); i += 2) mono.push_back(buffer[i] + buffer[i + 1]);
    }
    xmp_end_player(ctx);
    xmp_release_module(ctx);
  }
  xmp_free_context(ctx);
  return mono;
}

// The fundamental of a steady stretch of sound, by autocorrelation (50..1000 Hz).
double Pitch(const std::vector<double>& x, size_t from, size_t length) {
  std::vector<double> score(kRate / 50 + 2, 0.0);
  double best = 0;
  for (size_t lag = kRate / 1000; lag < score.size(); ++lag) {
    double sum = 0, a = 0, b = 0;
    for (size_t i = from; i < from + length; ++i) {
      sum += x[i] * x[i + lag];
      a += x[i] * x[i];
      b += x[i + lag] * x[i + lag];
    }
    score[lag] = sum / std::sqrt(a * b + 1e-9);
    best = std::max(best, score[lag]);
  }
  // The first peak near the best one: the period, not a multiple of it.
  for (size_t lag = kRate / 1000 + 1; lag + 1 < score.size(); ++lag) {
    if (score[lag] > 0.9 * best && score[lag] >= score[lag - 1] && score[lag] >= score[lag + 1]) {
      const double d = score[lag - 1] - 2 * score[lag] + score[lag + 1];
      const double shift = d == 0 ? 0 : 0.5 * (score[lag - 1] - score[lag + 1]) / d;
      return kRate / (static_cast<double>(lag) + shift);
    }
  }
  return 0;
}

TEST_F(XmWriterRoundTrip, EveryKindOfPitchedInstrumentPlaysInTune) {
  // One note at a time, each made at a different base note, so tuning slips show.
  ASSERT_EQ(Write(R"(channels 1
speed 6
bpm 125
instrument pad pad base=c4 attack=0.01
instrument reed reed base=g3 attack=0.01
instrument bass pluck base=c2 length=2
instrument harp pluck base=e4
instrument organ organ base=a4 attack=0.01
pattern a 80
1 pad: a4:12 -:4
1 reed: e4:12 -:4
1 bass: a2:12 -:4
1 harp: g4:12 -:4
1 organ: c5:12 -:4
order a
)"),
            0)
      << std::ifstream(dir_ / "errors.txt").rdbuf();
  const auto sound = Play(ReadAll(dir_ / "tiny.xm"), 10);
  // A row lasts 0.12 s; listen from 0.15 s into each note for 0.15 s.
  const double expected[] = {440.0, 329.63, 110.0, 392.0, 523.25};
  for (size_t n = 0; n < std::size(expected); ++n) {
    const size_t from = static_cast<size_t>((n * 16 * 0.12 + 0.15) * kRate);
    ASSERT_LT(from + kRate, sound.size());
    const double pitch = Pitch(sound, from, static_cast<size_t>(0.15 * kRate));
    EXPECT_NEAR(1200 * std::log2(pitch / expected[n]), 0.0, 6.0)
        << "note " << n << ": " << pitch << " Hz, wanted " << expected[n];
  }
}

TEST_F(XmWriterRoundTrip, ScoreMistakesAreReportedWithTheirLineAndWriteNothing) {
  struct Case {
    const char* score;
    const char* message;
  };
  const Case cases[] = {
      {"channels 2\ninstrument p pluck\npattern a 8\n1 p: c4:4\norder a\n", "line 5"},
      {"channels 2\ninstrument p pluck\npattern a 8\n1 p: c4:4 h9\norder a\n", "line 4"},
      {"channels 2\ninstrument p pluck\npattern a 8\n3 p: c4:8\norder a\n", "line 4"},
      {"channels 2\ninstrument p pluck\npattern a 8\n1 q: c4:8\norder a\n", "unknown instrument"},
      {"channels 2\ninstrument p pluck\npattern a 8\n1 p: $none\norder a\n", "unknown phrase"},
      {"channels 2\ninstrument p pluck\npattern a 8\n1 p: c4:8\n", "no order"},
      {"channels 2\ninstrument p pluck\npattern a 8\n1 p: c4:8\norder b\n", "unknown pattern"},
      {"channels 2\ninstrument p flute\npattern a 8\n1 p: c4:8\norder a\n", "unknown kind"},
      {"channels 2\ninstrument p pluck volume=90\npattern a 8\n1 p: c4:8\norder a\n", "volume"},
      {"channels 2\ninstrument p pluck\npattern a 8\n1 p: c7:4 c7+12:4\norder a\n", "line 4"},
      {"channels 2\ninstrument p pluck\nphrase x $x\npattern a 8\n1 p: $x\norder a\n", "nest"},
      {"channels 2\ninstrument p pluck\ndrum c4 p c4\npattern a 8\n1 p: c4:8\norder a\n", "line 3"},
      {"channels 2\ninstrument p pluck\ndrum k:2 p c4\npattern a 8\n1 p: c4:8\norder a\n",
       "line 3"},
  };
  for (const Case& c : cases) {
    std::filesystem::remove(dir_ / "tiny.xm");
    EXPECT_EQ(Write(c.score), 1) << c.score;
    std::ifstream errors(dir_ / "errors.txt");
    const std::string text{std::istreambuf_iterator<char>(errors), {}};
    EXPECT_NE(text.find(c.message), std::string::npos) << c.score << "\n" << text;
    EXPECT_FALSE(std::filesystem::exists(dir_ / "tiny.xm")) << c.score;
  }
}

}  // namespace
