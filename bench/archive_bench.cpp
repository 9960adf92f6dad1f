// Benchmarks of the image archive reader: a large archive loaded, and many small items named.
#include <benchmark/benchmark.h>

#include "engine/DxgArchive.h"
#include "engine/PictureCollection.h"

namespace {

// About 2 MB: four 400 x 400 pictures of 24 bits, as the tool packs them.
std::vector<uint8_t> MakeArchive() {
  brinecast::ArchiveContents contents;
  for (int i = 0; i < 4; ++i) {
    brinecast::ArchiveItem item;
    item.name = "Picture" + std::to_string(i);
    item.PatternWidth = 100;
    item.PatternHeight = 100;
    brinecast::Picture pic;
    pic.width = 400;
    pic.height = 400;
    pic.bitCount = 24;
    pic.pixels.resize(400 * 400);
    for (size_t p = 0; p < pic.pixels.size(); ++p)
      pic.pixels[p] = static_cast<uint32_t>(p * 2654435761u) & 0xFFFFFF;
    item.Picture = std::move(pic);
    contents.items.push_back(std::move(item));
  }
  return brinecast::WriteDxgArchive(contents);
}

void BM_LoadArchive(benchmark::State& state) {
  const std::vector<uint8_t> bytes = MakeArchive();
  for (auto _ : state) {
    brinecast::ArchiveContents contents;
    brinecast::ReadDxgArchive(bytes, contents);
    benchmark::DoNotOptimize(contents.items.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(bytes.size()));
}
BENCHMARK(BM_LoadArchive);

// An archive of many tiny items names each once: filing a name must not rescan
// the items named before it, so time per item stays flat as the count grows.
void BM_NameManyItems(benchmark::State& state) {
  const auto count = static_cast<int>(state.range(0));
  for (auto _ : state) {
    brinecast::TPictureCollection items;
    for (int i = 0; i < count; ++i) items.Add()->SetName("");
    benchmark::DoNotOptimize(items.Find(""));
  }
  state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_NameManyItems)->Arg(1000)->Arg(100000);

}  // namespace
