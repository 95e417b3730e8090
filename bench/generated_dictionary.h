// Large dictionaries for the benchmarks, written once with the dictionary
// writer and kept in the build folder for later runs, each with a StarDict
// copy of the same records for sdcv.
//
// Their text is real (bench/real_records.h). The text that one sentence
// repeated made before stays for comparison only: TAVLEX_BENCH_TEXT=generated
// in the environment chooses it, for every benchmark at once.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "bench/real_records.h"
#include "tools/dicwriter/dictionary_writer.h"

namespace tavlex::bench {

enum class Text {
  kReal,
  kGenerated,  // English-like letter strings, one Japanese sentence around each: for comparison
};

// kGenerated when TAVLEX_BENCH_TEXT is "generated", else kReal.
Text BenchText();

// The path of a dictionary of `entries` records in the given layout with
// 1024-byte blocks and 4-byte block numbers.
std::u16string GeneratedDictionary(int entries, dicwriter::Charset charset,
                                   Shape shape = Shape::kShortEntries, Text text = BenchText());

// The data folder of the StarDict copy of that dictionary, written with it:
// `sdcv --data-dir FOLDER` finds it in FOLDER/dic/ (bench/stardict_writer.h).
std::filesystem::path StarDictCopy(const std::u16string& dictionary);

// Five letters that begin many headwords, and a headword of the dictionaries
// of short entries, in the text in use.
std::u16string CommonPrefix(Text text = BenchText());
std::u16string SomeHeadword(Text text = BenchText());

// `count` headwords of the dictionary, drawn at random (with seed) from its blocks.
std::vector<std::u16string> SampleHeadwords(const std::u16string& dictionary, size_t count, uint32_t seed);

// `count` names for one dictionary file, STEM-0.dic to STEM-(count-1).dic
// beside it: hard links, made on the first run, so that each opens as a
// dictionary of its own while all share the file's pages.
std::vector<std::filesystem::path> LinkedNames(const std::filesystem::path& dictionary,
                                               const std::string& stem, int count);

// Writes a settings file that registers `dictionaries` in the viewer.
void WriteDictionaryList(const std::filesystem::path& ini,
                         const std::vector<std::filesystem::path>& dictionaries);

}  // namespace tavlex::bench
