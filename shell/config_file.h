#pragma once
// The settings file "config": 33 CR LF lines of quoted keys and values, in
// the order of settingsLayout(). Texts pass through a TextCodec on their way
// in and out; everything else in the file is ASCII.
//
// Reading is positional: keys and section lines are read but never compared,
// so hand-edited names do no harm. Reading never fails on content:
// - no file: the record is left as it is (all defaults at start-up);
// - a file that ends early: every setting read so far is kept, the rest are
//   left as they are;
// - a value that is no 16-bit integer (decimal digits with an optional sign,
//   blanks around them allowed): that setting is left as it is and reading
//   goes on, since the later lines still hold their own values;
// - a UTF-8 byte order mark at the start: the texts are read as UTF-8.
// Texts have every double quote doubled on writing, which the reader undoes;
// files without quotes inside texts read exactly as they always did.

#include <filesystem>
#include <string_view>
#include <vector>

#include "base/result.h"
#include "shell/settings.h"
#include "shell/text_codec.h"

namespace plotmate {

struct ConfigLoadReport {
  bool missing = false;   // there was no file; nothing was read
  bool complete = false;  // every setting found its value in the file
  std::vector<std::string_view> unreadable;  // keys whose value could not be read
  std::vector<std::string_view> lossy;       // keys whose text had characters replaced
};

struct ConfigSaveReport {
  std::vector<std::string_view> lossy;  // keys whose text the file's code page cannot hold whole
};

// Fails only when a file exists but cannot be read; the record is then untouched.
Result<ConfigLoadReport> LoadConfig(const std::filesystem::path& path, const TextCodec& codec,
                                    Settings& settings);

// Replaces the file in one step; on failure the old file is left as it was and
// the error describes what went wrong, ready to be shown to the user.
Result<ConfigSaveReport> SaveConfig(const std::filesystem::path& path, const TextCodec& codec,
                                    const Settings& settings);

}  // namespace plotmate
