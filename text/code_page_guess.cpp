#include "text/code_page_guess.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <uchardet.h>
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
/// Fonts of a code page's character set tell it unless the ANSI fonts
/// outnumber them this many times (a control copied from elsewhere).
constexpr std::size_t kAnsiOutweighs = 5;
/// uchardet over fewer bytes above 0x7F than this is thin evidence.
constexpr std::size_t kThinBytes = 24;
/// A file of another script than the project's must hold this many letters
/// of it, and this many bytes above 0x7F, to stop the project: a sign or two
/// tell nothing (a no-break space reads as half a Chinese character).
constexpr std::size_t kMisfitLetters = 4;
constexpr std::size_t kMisfitBytes = 8;

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

/// The candidate that each name uchardet (0.0.7) reports stands for.
/// uchardet answers a DOS or Mac code page, or an ISO one of another
/// region, for Western text it is unsure of: on real projects, every
/// IBM852, MAC-CENTRALEUROPE, ISO-8859-3, -10 and -13 answer was Portuguese,
/// Spanish, Italian or English, so those stand for CP1252.
const std::map<std::string_view, std::string_view> kUchardetAs = {
    {"UTF-8", "UTF-8"},
    {"ISO-8859-1", "windows-1252"},
    {"ISO-8859-15", "windows-1252"},
    {"WINDOWS-1252", "windows-1252"},
    {"IBM852", "windows-1252"},
    {"MAC-CENTRALEUROPE", "windows-1252"},
    {"ISO-8859-3", "windows-1252"},
    {"ISO-8859-10", "windows-1252"},
    {"ISO-8859-13", "windows-1252"},
    {"ISO-8859-2", "windows-1250"},
    {"ISO-8859-16", "windows-1250"},
    {"WINDOWS-1250", "windows-1250"},
    {"ISO-8859-5", "windows-1251"},
    {"WINDOWS-1251", "windows-1251"},
    {"KOI8-R", "windows-1251"},
    {"IBM855", "windows-1251"},
    {"IBM866", "windows-1251"},
    {"MAC-CYRILLIC", "windows-1251"},
    {"ISO-8859-7", "windows-1253"},
    {"WINDOWS-1253", "windows-1253"},
    {"ISO-8859-9", "windows-1254"},
    {"WINDOWS-1254", "windows-1254"},
    {"ISO-8859-8", "windows-1255"},
    {"WINDOWS-1255", "windows-1255"},
    {"ISO-8859-6", "windows-1256"},
    {"WINDOWS-1256", "windows-1256"},
    {"ISO-8859-4", "windows-1257"},
    {"WINDOWS-1257", "windows-1257"},
    {"WINDOWS-1258", "windows-1258"},
    {"VISCII", "windows-1258"},
    {"TIS-620", "windows-874"},
    {"ISO-8859-11", "windows-874"},
    {"SHIFT_JIS", "windows-932"},
    {"EUC-JP", "windows-932"},
    {"GB18030", "windows-936"},
    {"BIG5", "windows-950"},
    {"EUC-TW", "windows-950"},
    {"EUC-KR", "windows-949"},
    {"UHC", "windows-949"},
};

/// The answers of kUchardetAs that stand for uchardet's doubt: they tell a
/// Western code page, not a file's script against the rest of a project
/// (a short Greek file has been seen answered IBM852).
const std::set<std::string_view> kUnsureLatin = {"IBM852", "MAC-CENTRALEUROPE", "ISO-8859-3",
                                                 "ISO-8859-10", "ISO-8859-13"};

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
  designer_.Line(bytes);
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
    highBytes_ += static_cast<std::size_t>(
        std::count_if(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(take),
                      [](char c) { return (c & 0x80) != 0; }));
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
    scores[i].Letters = reading.MainScriptLetters();
  }
  return scores;
}

void CodePageGuess::NamesResolveIn(std::vector<std::string> codePages) {
  names_ = std::move(codePages);
}

std::size_t CodePageGuess::IndexOf(std::string_view name) const {
  for (std::size_t i = 0; i < candidates_.size(); ++i)
    if (candidates_[i].Name == name)
      return i;
  return candidates_.size();
}

bool CodePageGuess::IsMultiByte(std::size_t candidate) const {
  const std::string_view name = candidates_[candidate].Name;
  return name == "windows-936" || name == "windows-950" || name == "windows-932" ||
         name == "windows-949" || name == "UTF-8";
}

std::optional<std::size_t> CodePageGuess::Statistics() const {
  const std::optional<std::size_t> i = Detected(sample_);
  if (!i || candidates_[*i].FirstFailure)
    return std::nullopt;
  return i;
}

std::optional<std::size_t> CodePageGuess::Detected(std::string_view text, bool sure) const {
  uchardet_t detector = uchardet_new();
  uchardet_handle_data(detector, text.data(), text.size());
  uchardet_data_end(detector);
  std::string answer = uchardet_get_charset(detector);
  uchardet_delete(detector);
  std::transform(answer.begin(), answer.end(), answer.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  const auto it = kUchardetAs.find(answer);
  if (it == kUchardetAs.end() || (sure && kUnsureLatin.contains(answer)))
    return std::nullopt;
  const std::size_t i = IndexOf(it->second);
  if (i == candidates_.size())
    return std::nullopt;
  return i;
}

CodePageGuess::Verdict CodePageGuess::Decide() {
  Verdict verdict;
  if (!nonAscii_) {
    verdict.CodePage = kDefaultCodePage;
    verdict.PlainAscii = true;
    return verdict;
  }
  std::vector<std::size_t> decoding;
  for (std::size_t i = 0; i < candidates_.size(); ++i)
    if (!candidates_[i].FirstFailure)
      decoding.push_back(i);
  if (decoding.empty()) {
    // Named after the candidate the text fits best: its first bad byte.
    const std::optional<std::size_t> statistics = Statistics();
    const std::vector<Fit> fits = Score(sample_);
    std::size_t fitting = 0;
    for (std::size_t i = 1; i < fits.size(); ++i)
      if (fits[i].Score > fits[fitting].Score)
        fitting = i;
    verdict.Error = candidates_[statistics.value_or(fitting)].FirstFailure;
    return verdict;
  }
  const auto decodes = [this](std::string_view name) {
    const std::size_t i = IndexOf(name);
    return i < candidates_.size() && !candidates_[i].FirstFailure;
  };

  std::optional<std::size_t> chosen;
  bool strong = true;
  // 1. The listed names: only where they narrow the choice to one.
  if (names_) {
    std::vector<std::size_t> resolving;
    for (const std::string& name : *names_)
      if (decodes(name))
        resolving.push_back(IndexOf(name));
    if (resolving.size() == 1 || (!resolving.empty() && resolving.size() < decoding.size()))
      decoding = resolving;
  }
  if (decoding.size() == 1)
    chosen = decoding.front();
  const auto among = [&decoding](std::size_t i) {
    return std::find(decoding.begin(), decoding.end(), i) != decoding.end();
  };
  // 2. The designer headers: fonts' character sets, then the IDE's words.
  if (!chosen) {
    const auto [codePage, votes] = designer_.MostCharsetVotes();
    if (votes > 0 && votes * kAnsiOutweighs >= designer_.AnsiFonts() && among(IndexOf(codePage)))
      chosen = IndexOf(codePage);
  }
  if (!chosen) {
    std::map<std::size_t, std::size_t> words;
    std::u16string buffer;
    for (const std::string& word : designer_.Words())
      for (std::size_t i : decoding) {
        try {
          if (DesignerEvidence::IsLocalWord(candidates_[i].Name,
                                            candidates_[i].Codes.Decode(word, buffer)))
            ++words[i];
        } catch (const DecodeFault&) {
          // Not a word of this code page.
        }
      }
    for (const auto& [i, count] : words)
      if (!chosen || count > words[*chosen])
        chosen = i;
  }
  // 3. The statistics of the text.
  const std::optional<std::size_t> detected = Detected(sample_);
  if (!chosen && detected && among(*detected)) {
    chosen = detected;
    strong = highBytes_ >= kThinBytes;
  }
  // 4. How plausible the text reads in each: among the code pages of
  // two-byte characters where uchardet saw such characters but named one
  // that cannot decode the text.
  if (!chosen) {
    std::vector<std::size_t> multiByte;
    if (detected && IsMultiByte(*detected))
      for (std::size_t i : decoding)
        if (IsMultiByte(i))
          multiByte.push_back(i);
    const std::vector<Fit> fits = Score(sample_);
    const std::vector<std::size_t>& pool = multiByte.empty() ? decoding : multiByte;
    chosen = pool.front();
    for (std::size_t i : pool)
      if (fits[i].Score > fits[*chosen].Score)
        chosen = i;
    strong = false;
  }
  verdict.CodePage = candidates_[*chosen].Name;
  verdict.ThinEvidence = !strong;
  verdict.Error = Misfit(*chosen);
  return verdict;
}

/// A code page can decode a file of another: GBK takes most German text as
/// pairs of bytes. Each file with text beyond ASCII is weighed on its own;
/// one that reads far better in another code page than the project's, as
/// letters of another script (kMisfitLetters at least: a degree sign or a
/// no-break space is no script), makes the project one of mixed code pages.
/// Two code pages of one script (CP1250 and CP1252 for Spanish) are not
/// told apart from a file or two of text: they share most of their letters.
std::optional<TextFailure> CodePageGuess::Misfit(std::size_t chosen) {
  bool backed = false; // a file whose own text reads in the chosen code page's script
  std::optional<TextFailure> failure;
  for (const FileSample& file : files_) {
    if (file.Lines == 0)
      continue;
    const std::string_view text =
        std::string_view(sample_).substr(file.Begin, file.End - file.Begin);
    const std::optional<std::size_t> own = Detected(text, true);
    if (!own)
      continue;
    const std::vector<Fit> fits = Score(text);
    const auto high =
        std::count_if(text.begin(), text.end(), [](char c) { return (c & 0x80) != 0; });
    if (fits[*own].Letters < kMisfitLetters || static_cast<std::size_t>(high) < kMisfitBytes)
      continue; // a sign or two: no script to tell
    if (fits[*own].Script == fits[chosen].Script) {
      backed = true;
    } else if (!failure && fits[*own].Score - fits[chosen].Score > kMisfit) {
      failure = TextFailure{TextFailureKind::MixedCodePages, file.Name};
      failure->CodePage = candidates_[chosen].Name;
      failure->OtherCodePage = candidates_[*own].Name;
    }
  }
  return backed ? failure : std::nullopt;
}

} // namespace qf
