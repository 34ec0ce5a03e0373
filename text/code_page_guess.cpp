#include "text/code_page_guess.h"

#include <algorithm>
#include <map>
#include <unicode/uchar.h>
#include <unicode/ucsdet.h>
#include <unicode/uscript.h>
#include <unicode/utf16.h>

namespace qf {
namespace {

constexpr std::size_t kSamplePerFile = 4 << 10;
constexpr std::size_t kSampleInAll = 256 << 10;

/// How much more the plausibility of a reading counts than the detector's
/// confidence (both from 0 to 1).
constexpr double kPlausibilityWeight = 2.0;
/// A code page that decodes everything is taken instead of a better fitting
/// one that does not, if it fits almost as well.
constexpr double kNearlyAsGood = 0.5;
/// A file is of another code page than the project's where it fits another
/// by this much more, and reads in another script in it.
constexpr double kMisfit = 0.6;
/// The detector knows no Thai; a reading in Thai order stands in for its
/// confidence, at most this.
constexpr double kThaiConfidence = 0.4;

/// The candidate that each name the detector reports stands for.
const std::map<std::string_view, std::string_view> kDetectedAs = {
    {"UTF-8", "UTF-8"},
    {"ISO-8859-1", "windows-1252"},
    {"windows-1252", "windows-1252"},
    {"ISO-8859-2", "windows-1250"},
    {"windows-1250", "windows-1250"},
    {"ISO-8859-5", "windows-1251"},
    {"windows-1251", "windows-1251"},
    {"KOI8-R", "windows-1251"},
    {"ISO-8859-6", "windows-1256"},
    {"windows-1256", "windows-1256"},
    {"ISO-8859-7", "windows-1253"},
    {"windows-1253", "windows-1253"},
    {"ISO-8859-8", "windows-1255"},
    {"ISO-8859-8-I", "windows-1255"},
    {"windows-1255", "windows-1255"},
    {"ISO-8859-9", "windows-1254"},
    {"windows-1254", "windows-1254"},
    {"Shift_JIS", "windows-932"},
    {"EUC-JP", "windows-932"},
    {"GB18030", "windows-936"},
    {"EUC-KR", "windows-949"},
    {"Big5", "windows-950"},
};

/// The writing systems a text's letters belong to, the East Asian ones as
/// one (Japanese mixes kana and Han; Korean, Hangul and Han).
int ScriptGroup(UChar32 c) {
  UErrorCode error = U_ZERO_ERROR;
  const UScriptCode script = uscript_getScript(c, &error);
  switch (script) {
  case USCRIPT_HAN:
  case USCRIPT_HIRAGANA:
  case USCRIPT_KATAKANA:
  case USCRIPT_HANGUL:
  case USCRIPT_BOPOMOFO:
    return USCRIPT_HAN;
  default:
    return script;
  }
}

/// Punctuation and signs that ordinary text uses: a Western language's, and
/// the full-width ones of East Asian writing. A reading that gives them is
/// not the less plausible for it.
bool IsTypographic(UChar32 c) {
  if ((c >= 0x3000 && c <= 0x303F) || (c >= 0xFF01 && c <= 0xFF0F) ||
      (c >= 0xFF1A && c <= 0xFF20) || c == 0x30FB)
    return true;
  switch (c) {
  case 0x00A1: // ¡
  case 0x00A7: // §
  case 0x00A9: // ©
  case 0x00AB: // «
  case 0x00B0: // °
  case 0x00B7: // ·
  case 0x00BB: // »
  case 0x00BF: // ¿
  case 0x2013: // –
  case 0x2014: // —
  case 0x2018: // ‘
  case 0x2019: // ’
  case 0x201C: // “
  case 0x201D: // ”
  case 0x201E: // „
  case 0x2022: // •
  case 0x2026: // …
  case 0x20AC: // €
    return true;
  default:
    return false;
  }
}

bool IsAsciiLetter(UChar32 c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsThaiConsonant(UChar32 c) {
  return c >= 0x0E01 && c <= 0x0E2E;
}
bool IsThaiLeadingVowel(UChar32 c) {
  return c >= 0x0E40 && c <= 0x0E44;
}
/// A vowel written above or below its consonant.
bool IsThaiVowelMark(UChar32 c) {
  return c == 0x0E31 || (c >= 0x0E34 && c <= 0x0E39);
}
/// A tone mark or another sign written above.
bool IsThaiToneMark(UChar32 c) {
  return c >= 0x0E47 && c <= 0x0E4E;
}
/// Letters modern Thai no longer writes (two obsolete consonants) or keeps
/// for Pali (phinthu).
bool IsThaiRare(UChar32 c) {
  return c == 0x0E03 || c == 0x0E05 || c == 0x0E3A;
}

/// Whether `c`, after `before` and `twoBefore`, breaks the order in which
/// Thai writes a syllable: a vowel above or below stands on its consonant,
/// a tone mark on the consonant or on its vowel mark, a vowel written
/// before its consonant has one after it.
bool ThaiOutOfOrder(UChar32 twoBefore, UChar32 before, UChar32 c) {
  if (IsThaiRare(c))
    return true;
  if (IsThaiVowelMark(c))
    return !IsThaiConsonant(before);
  if (IsThaiToneMark(c))
    return !IsThaiConsonant(before) && !(IsThaiVowelMark(before) && IsThaiConsonant(twoBefore));
  return IsThaiLeadingVowel(before) && !IsThaiConsonant(c);
}

/// What a reading of the sample gives, summed over its lines.
struct Reading {
  std::size_t Typographic = 0;           ///< characters beyond ASCII that IsTypographic
  std::size_t Beyond = 0;                ///< characters beyond ASCII (typographic ones aside)
  std::size_t Letters = 0;               ///< of them, letters and marks in their place
  std::size_t Thai = 0;                  ///< Thai letters and marks
  std::size_t ThaiBad = 0;               ///< of them, out of the order Thai writing keeps
  std::map<int, std::size_t> Scripts;    ///< letters by ScriptGroup
  std::map<int, std::size_t> RawScripts; ///< letters by script, Hangul apart from Han

  /// Adds a line. Bytes of another code page read as a script they are not
  /// break its habits: Thai's order (ThaiOutOfOrder), a capital letter in
  /// the middle of a word of a script with letter case, a Chinese character
  /// between two Latin letters (a Western accent and the letter after it,
  /// read as one double-byte character).
  void Add(std::u16string_view text) {
    UChar32 before = 0;
    UChar32 twoBefore = 0;
    for (std::size_t i = 0; i < text.size();) {
      UChar32 c = 0;
      U16_NEXT(text.data(), i, text.size(), c);
      if (c >= 0x80 && IsTypographic(c))
        ++Typographic;
      if (c >= 0x80 && !IsTypographic(c)) {
        ++Beyond;
        bool good = u_isalpha(c) || (U_GET_GC_MASK(c) & U_GC_M_MASK) != 0;
        if (c >= 0x0E00 && c <= 0x0E7F) {
          ++Thai;
          const bool misplaced = ThaiOutOfOrder(twoBefore, before, c);
          ThaiBad += misplaced;
          good = good && !misplaced;
        }
        if (u_isupper(c) && u_islower(before))
          good = false;
        if (ScriptGroup(c) == USCRIPT_HAN && IsAsciiLetter(before) && i < text.size() &&
            IsAsciiLetter(text[i]))
          good = false; // East Asian writing does not sit inside a Latin word

        if (good) {
          ++Letters;
          UErrorCode error = U_ZERO_ERROR;
          const int script = uscript_getScript(c, &error);
          if (script != USCRIPT_COMMON && script != USCRIPT_INHERITED) {
            ++Scripts[ScriptGroup(c)];
            ++RawScripts[script];
          }
        }
      }
      twoBefore = before;
      before = c;
    }
  }

  /// From 0 to 1: the share of the characters beyond ASCII that are letters
  /// in their place, times the share of those in the main script.
  double Plausibility() const {
    const std::size_t main = MainScriptLetters();
    if (Beyond == 0)
      return Typographic > 0 ? 1 : 0; // only signs of ordinary text: it reads well
    if (Letters == 0)
      return 0;
    return static_cast<double>(Letters) / static_cast<double>(Beyond) * static_cast<double>(main) /
           static_cast<double>(Letters);
  }

  /// The script most letters are in, telling Hangul, kana and Han apart.
  int MainScript() const {
    int main = USCRIPT_INVALID_CODE;
    std::size_t most = 0;
    for (const auto& [script, count] : RawScripts)
      if (count > most) {
        most = count;
        main = script;
      }
    return main;
  }

  std::size_t MainScriptLetters() const {
    std::size_t most = 0;
    for (const auto& [script, count] : Scripts)
      most = std::max(most, count);
    return most;
  }

  /// What the detector would say if it knew Thai: how well the reading keeps
  /// Thai's order, for a reading that is mostly Thai.
  double ThaiConfidence() const {
    if (Thai == 0 || Thai * 2 < Beyond)
      return 0;
    return kThaiConfidence * (1.0 - static_cast<double>(ThaiBad) / static_cast<double>(Thai));
  }
};

} // namespace

struct CodePageGuess::Candidate {
  std::string Name;
  CodePage Codes;
  std::optional<TextFailure> FirstFailure; ///< the first line it does not decode
};

CodePageGuess::CodePageGuess() {
  for (std::string_view name : kGuessableCodePages)
    candidates_.push_back({std::string(name), CodePage(name), std::nullopt});
}

CodePageGuess::~CodePageGuess() = default;

void CodePageGuess::StartFile(std::string name) {
  file_ = std::move(name);
  fileSample_ = 0;
  files_.push_back({file_, sample_.size(), sample_.size(), 0});
}

void CodePageGuess::Line(std::string_view bytes, std::uint64_t number, std::uint64_t offset) {
  if (std::none_of(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) != 0; }))
    return; // every candidate holds ASCII as itself
  nonAscii_ = true;
  std::u16string buffer;
  for (Candidate& candidate : candidates_) {
    if (candidate.FirstFailure)
      continue;
    try {
      candidate.Codes.Decode(bytes, buffer);
    } catch (const DecodeFault& fault) {
      candidate.FirstFailure =
          TextFailure{TextFailureKind::NoCodePage, file_,         number,
                      offset + fault.Offset(),     fault.Bytes(), candidate.Name};
    }
  }
  if (fileSample_ < kSamplePerFile && sample_.size() < kSampleInAll) {
    const std::size_t take = std::min(bytes.size(), kSamplePerFile - fileSample_);
    sample_.append(bytes.substr(0, take));
    sample_ += '\n';
    fileSample_ += take + 1;
    files_.back().End = sample_.size();
    ++files_.back().Lines;
  }
}

std::vector<CodePageGuess::Fit> CodePageGuess::Score(std::string_view sample) {
  std::vector<Fit> scores(candidates_.size());
  const auto indexOf = [this](std::string_view name) {
    for (std::size_t i = 0; i < candidates_.size(); ++i)
      if (candidates_[i].Name == name)
        return i;
    return candidates_.size();
  };

  // The detector's confidence, by candidate.
  UErrorCode error = U_ZERO_ERROR;
  UCharsetDetector* detector = ucsdet_open(&error);
  ucsdet_setText(detector, sample.data(), static_cast<int32_t>(sample.size()), &error);
  int32_t found = 0;
  const UCharsetMatch** matches = ucsdet_detectAll(detector, &found, &error);
  for (int32_t m = 0; U_SUCCESS(error) && m < found; ++m) {
    UErrorCode nameError = U_ZERO_ERROR;
    const char* name = ucsdet_getName(matches[m], &nameError);
    const auto it = kDetectedAs.find(name != nullptr ? name : "");
    if (it == kDetectedAs.end())
      continue;
    const std::size_t i = indexOf(it->second);
    const double confidence = ucsdet_getConfidence(matches[m], &nameError) / 100.0;
    if (i < scores.size())
      scores[i].Score = std::max(scores[i].Score, confidence);
  }
  ucsdet_close(detector);

  // How plausible the sample reads in each.
  std::u16string buffer;
  for (std::size_t i = 0; i < candidates_.size(); ++i) {
    Reading reading;
    for (std::size_t start = 0; start < sample.size();) {
      const std::size_t end = std::min(sample.find('\n', start), sample.size());
      try {
        reading.Add(candidates_[i].Codes.Decode(sample.substr(start, end - start), buffer));
      } catch (const DecodeFault&) {
        // A line cut short in the sample, or one this candidate cannot read.
      }
      start = end + 1;
    }
    scores[i].Score += kPlausibilityWeight * reading.Plausibility() + reading.ThaiConfidence();
    scores[i].Script = reading.MainScript();
  }
  return scores;
}

CodePageGuess::Verdict CodePageGuess::Decide() {
  Verdict verdict;
  if (!nonAscii_) {
    verdict.CodePage = kDefaultCodePage;
    verdict.PlainAscii = true;
    return verdict;
  }
  const std::vector<Fit> fits = Score(sample_);
  std::vector<double> scores;
  for (const Fit& fit : fits)
    scores.push_back(fit.Score);
  const auto best = [&](bool decodingAll) {
    std::size_t chosen = candidates_.size();
    for (std::size_t i = 0; i < candidates_.size(); ++i)
      if ((!decodingAll || !candidates_[i].FirstFailure) &&
          (chosen == candidates_.size() || scores[i] > scores[chosen]))
        chosen = i;
    return chosen;
  };
  const std::size_t fitting = best(false);
  const std::size_t decoding = best(true);
  if (decoding == candidates_.size() || scores[decoding] < scores[fitting] - kNearlyAsGood) {
    verdict.Error = candidates_[fitting].FirstFailure;
    return verdict;
  }
  verdict.CodePage = candidates_[decoding].Name;
  verdict.Error = Misfit(decoding);
  return verdict;
}

/// A code page can decode a file of another: GBK takes most German text as
/// pairs of bytes. Each file with text beyond ASCII is weighed on its own;
/// one that reads far better in another code page than the project's, and
/// in another script, makes the project one of mixed code pages. Two code
/// pages of one script (CP1250 and CP1252 for Spanish) are not told apart
/// from a file or two of text: they share most of their letters.
std::optional<TextFailure> CodePageGuess::Misfit(std::size_t chosen) {
  for (const FileSample& file : files_) {
    if (file.Lines == 0)
      continue;
    const std::vector<Fit> fits =
        Score(std::string_view(sample_).substr(file.Begin, file.End - file.Begin));
    const auto better = [](const Fit& a, const Fit& b) { return a.Score < b.Score; };
    const std::size_t own =
        static_cast<std::size_t>(std::max_element(fits.begin(), fits.end(), better) - fits.begin());
    if (fits[own].Score - fits[chosen].Score <= kMisfit || fits[own].Script == fits[chosen].Script)
      continue;
    TextFailure failure{TextFailureKind::MixedCodePages, file.Name};
    failure.CodePage = candidates_[chosen].Name;
    failure.OtherCodePage = candidates_[own].Name;
    return failure;
  }
  return std::nullopt;
}

} // namespace qf
