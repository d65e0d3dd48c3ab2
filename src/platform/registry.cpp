// The registry store: the local-machine root kept as an INI file. Sections are
// key paths ("[Software\DARUMA\ECF]"), entries "name=value". Key paths and
// value names compare without regard to letter case, as the Windows registry
// does. The file is read on every call and rewritten atomically on every
// change, so two libraries in one process (the package and the driver) and a
// person editing the file by hand all see the same values. Lines the store
// does not understand (comments, blank lines) are kept as they are.
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <mutex>
#include <stdexcept>
#include <string>
#include <vector>

#include "tov00300/platform.h"

namespace Tov00300::platform {
namespace {

// Serialises read-modify-write cycles of threads in this process.
std::mutex registryMutex;

std::string Trim(std::string_view text) {
  size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  size_t last = text.find_last_not_of(" \t\r");
  return std::string(text.substr(first, last - first + 1));
}

bool SameText(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

// "\Software\X\" and "Software/X" name the same key as "Software\X".
std::string CanonicalKey(std::string_view key) {
  std::string canonical(key);
  std::replace(canonical.begin(), canonical.end(), '/', '\\');
  size_t first = canonical.find_first_not_of('\\');
  if (first == std::string::npos) return {};
  size_t last = canonical.find_last_not_of('\\');
  return canonical.substr(first, last - first + 1);
}

// Values with blanks at either end, or that start with a quote, are written
// quoted so reading gives back exactly what was written.
std::string EncodeValue(std::string_view value) {
  bool quote =
      !value.empty() && (value.front() == ' ' || value.front() == '\t' || value.back() == ' ' ||
                         value.back() == '\t' || value.front() == '"');
  return quote ? "\"" + std::string(value) + "\"" : std::string(value);
}

std::string DecodeValue(std::string_view raw) {
  std::string value = Trim(raw);
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

struct IniFile {
  std::vector<std::string> lines;

  static IniFile Load(const std::string& path) {
    IniFile file;
    std::optional<std::string> content = ReadFile(path);
    if (!content) return file;
    size_t start = 0;
    while (start < content->size()) {
      size_t end = content->find('\n', start);
      if (end == std::string::npos) end = content->size();
      std::string line = content->substr(start, end - start);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      file.lines.push_back(std::move(line));
      start = end + 1;
    }
    return file;
  }

  void Save(const std::string& path) const {
    std::string content;
    for (const std::string& line : lines) content += line + '\n';
    AtomicReplaceFile(path, content);
  }

  // The section name when the line is a section header.
  static std::optional<std::string> SectionOf(const std::string& line) {
    std::string trimmed = Trim(line);
    if (trimmed.size() < 2 || trimmed.front() != '[' || trimmed.back() != ']') return std::nullopt;
    return trimmed.substr(1, trimmed.size() - 2);
  }

  // Index of the section header for the key, or npos.
  size_t FindSection(const std::string& key) const {
    for (size_t i = 0; i < lines.size(); ++i) {
      std::optional<std::string> section = SectionOf(lines[i]);
      if (section && SameText(CanonicalKey(*section), key)) return i;
    }
    return std::string::npos;
  }

  // One past the last line of the section that starts at `header`.
  size_t SectionEnd(size_t header) const {
    size_t i = header + 1;
    while (i < lines.size() && !SectionOf(lines[i])) ++i;
    return i;
  }

  // Index of the entry line for the name within the section, or npos.
  size_t FindEntry(size_t header, std::string_view name) const {
    size_t end = SectionEnd(header);
    for (size_t i = header + 1; i < end; ++i) {
      std::string trimmed = Trim(lines[i]);
      if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '#') continue;
      size_t equals = trimmed.find('=');
      if (equals == std::string::npos) continue;
      if (SameText(Trim(std::string_view(trimmed).substr(0, equals)), name)) return i;
    }
    return std::string::npos;
  }

  size_t AddSection(const std::string& key) {
    if (!lines.empty() && !Trim(lines.back()).empty()) lines.emplace_back();
    lines.push_back("[" + key + "]");
    return lines.size() - 1;
  }
};

void CheckStorable(std::string_view what, std::string_view text, std::string_view forbidden) {
  if (text.find_first_of(forbidden) != std::string_view::npos) {
    throw std::invalid_argument("registry " + std::string(what) +
                                " cannot be stored: " + std::string(text));
  }
}

}  // namespace

std::string RegistryFile() {
  if (const char* path = std::getenv("TOV_REGISTRY"); path != nullptr && *path != '\0') {
    return NativePath(path);
  }
  return JoinPath(HostFolder(), "registry.ini");
}

bool RegistryOpenKey(std::string_view key, bool create) {
  std::string canonical = CanonicalKey(key);
  std::lock_guard<std::mutex> lock(registryMutex);
  std::string path = RegistryFile();
  IniFile file = IniFile::Load(path);
  if (file.FindSection(canonical) != std::string::npos) return true;
  if (!create) return false;
  CheckStorable("key", canonical, "[]\r\n");
  file.AddSection(canonical);
  file.Save(path);
  return true;
}

std::optional<std::string> RegistryReadString(std::string_view key, std::string_view name) {
  std::string canonical = CanonicalKey(key);
  std::lock_guard<std::mutex> lock(registryMutex);
  IniFile file = IniFile::Load(RegistryFile());
  size_t header = file.FindSection(canonical);
  if (header == std::string::npos) return std::nullopt;
  size_t entry = file.FindEntry(header, Trim(name));
  if (entry == std::string::npos) return std::nullopt;
  const std::string& line = file.lines[entry];
  return DecodeValue(std::string_view(line).substr(line.find('=') + 1));
}

void RegistryWriteString(std::string_view key, std::string_view name, std::string_view value) {
  std::string canonical = CanonicalKey(key);
  std::string trimmedName = Trim(name);
  // An INI line cannot hold a line break, and a name cannot hold '=' or start
  // like a section or a comment; refuse rather than corrupt the file.
  CheckStorable("key", canonical, "[]\r\n");
  CheckStorable("value name", trimmedName, "=\r\n");
  if (trimmedName.empty() || trimmedName.front() == '[' || trimmedName.front() == ';' ||
      trimmedName.front() == '#') {
    throw std::invalid_argument("registry value name cannot be stored: " + trimmedName);
  }
  CheckStorable("value", value, "\r\n");

  std::lock_guard<std::mutex> lock(registryMutex);
  std::string path = RegistryFile();
  IniFile file = IniFile::Load(path);
  size_t header = file.FindSection(canonical);
  if (header == std::string::npos) header = file.AddSection(canonical);
  std::string line = trimmedName + "=" + EncodeValue(value);
  size_t entry = file.FindEntry(header, trimmedName);
  if (entry != std::string::npos) {
    file.lines[entry] = line;
  } else {
    // After the section's last entry, before any blank lines that separate
    // it from the next section.
    size_t end = file.SectionEnd(header);
    while (end > header + 1 && Trim(file.lines[end - 1]).empty()) --end;
    file.lines.insert(file.lines.begin() + static_cast<std::ptrdiff_t>(end), line);
  }
  file.Save(path);
}

}  // namespace Tov00300::platform
