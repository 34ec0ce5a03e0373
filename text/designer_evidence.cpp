#include "text/designer_evidence.h"

#include <algorithm>
#include <cctype>
#include <utility>

namespace qf {
namespace {

/// At most this many designer words are kept, each at most this long: a
/// few tell, and memory stays bounded whatever the files.
constexpr std::size_t kMostWords = 64;
constexpr std::size_t kLongestWord = 64;

struct LocalWords {
  std::string_view CodePage;
  std::initializer_list<std::u16string_view> Words;
};

/// The names of enumerated values and the default fonts of the localised
/// VB6s, as real projects hold them.
const LocalWords kLocalWords[] = {
    {"windows-936",
     {u"窗口缺省", u"屏幕中心", u"所有者中心", u"手动", u"宋体", u"新宋体", u"黑体", u"楷体_GB2312",
      u"仿宋_GB2312", u"微软雅黑"}},
    {"windows-950",
     {u"系統預設值", u"螢幕中央", u"所屬視窗中央", u"透明", u"單線固定", u"平面", u"單純下拉式",
      u"核取", u"靠右對齊", u"置中對齊", u"圖片外觀", u"沒有框線", u"雙線固定對話方塊", u"新細明體",
      u"細明體", u"標楷體"}},
    {"windows-932",
     {u"Windows の既定値",
      u"画面の中央",
      u"ｵｰﾅｰ ﾌｫｰﾑの中央",
      u"中央揃え",
      u"右揃え",
      u"ﾌﾗｯﾄ",
      u"ﾁｪｯｸ",
      u"ｸﾞﾗﾌｨｯｸｽ",
      u"透明",
      u"不透明",
      u"実線",
      u"なし",
      u"ｵﾌ",
      u"固定ﾀﾞｲｱﾛｸﾞ",
      u"ﾄﾞﾛｯﾌﾟﾀﾞｳﾝ ﾘｽﾄ",
      u"塗りつぶし",
      u"ＭＳ ゴシック",
      u"ＭＳ Ｐゴシック",
      u"ＭＳ 明朝",
      u"ＭＳ Ｐ明朝"}},
    {"windows-949", {u"Windows 기본값", u"화면 가운데",   u"소유자 가운데", u"투명",
                     u"없음",           u"평면",          u"단일 고정",     u"크기 고정 대화 상자",
                     u"오른쪽 맞춤",    u"드롭다운 목록", u"그래픽",        u"수직",
                     u"굴림",           u"굴림체",        u"돋움",          u"돋움체",
                     u"바탕",           u"바탕체",        u"궁서",          u"맑은 고딕"}},
};

bool IsSpace(char c) {
  return c == ' ' || c == '\t';
}

bool HighBytes(std::string_view bytes) {
  return std::any_of(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) != 0; });
}

std::string_view TrimLeft(std::string_view s) {
  while (!s.empty() && IsSpace(s.front()))
    s.remove_prefix(1);
  return s;
}

std::string_view TrimRight(std::string_view s) {
  while (!s.empty() && (IsSpace(s.back()) || s.back() == '\r'))
    s.remove_suffix(1);
  return s;
}

/// `key` and the `=` after it, with any spaces: what follows, or nothing.
bool TakeKey(std::string_view& s, std::string_view key) {
  if (s.substr(0, key.size()) != key)
    return false;
  std::string_view rest = TrimLeft(s.substr(key.size()));
  if (rest.empty() || rest.front() != '=')
    return false;
  s = TrimLeft(rest.substr(1));
  return true;
}

/// An identifier and the `=` after it: `BorderStyle = `.
bool TakeAnyKey(std::string_view& s) {
  std::size_t n = 0;
  while (n < s.size() && (std::isalnum(static_cast<unsigned char>(s[n])) != 0 || s[n] == '_'))
    ++n;
  return n > 0 && TakeKey(s, s.substr(0, n));
}

/// A whole number, as a designer writes one; -1 where there is none.
int TakeNumber(std::string_view& s) {
  std::size_t n = 0;
  if (n < s.size() && s[n] == '-')
    ++n;
  const std::size_t digits = n;
  int value = 0;
  while (n < s.size() && s[n] >= '0' && s[n] <= '9' && n - digits < 6)
    value = value * 10 + (s[n++] - '0');
  if (n == digits)
    return -1;
  s.remove_prefix(n);
  return value;
}

} // namespace

std::string_view CharsetCodePage(int charset) {
  switch (charset) {
  case 128:
    return "windows-932";
  case 129:
    return "windows-949";
  case 134:
    return "windows-936";
  case 136:
    return "windows-950";
  case 161:
    return "windows-1253";
  case 162:
    return "windows-1254";
  case 163:
    return "windows-1258";
  case 177:
    return "windows-1255";
  case 178:
    return "windows-1256";
  case 186:
    return "windows-1257";
  case 204:
    return "windows-1251";
  case 222:
    return "windows-874";
  case 238:
    return "windows-1250";
  default:
    return {};
  }
}

void DesignerEvidence::Line(std::string_view bytes) {
  std::string_view s = TrimLeft(bytes);
  if (TakeKey(s, "Charset")) {
    const int charset = TakeNumber(s);
    if (charset == 0)
      ++ansi_;
    else if (const std::string_view codePage = CharsetCodePage(charset); !codePage.empty())
      ++charsets_[codePage];
    return;
  }
  if (!HighBytes(s) || words_.size() >= kMostWords)
    return;
  std::string_view word;
  if (TakeKey(s, "Name")) {
    // A font's name: Name = "ＭＳ ゴシック"
    if (s.size() < 2 || s.front() != '"')
      return;
    word = s.substr(1, s.find('"', 1) - 1);
  } else if (TakeAnyKey(s) && TakeNumber(s) != -1) {
    // An enumerated value and its name: StartUpPosition = 3 'Windows の既定値
    s = TrimLeft(s);
    if (s.empty() || s.front() != '\'')
      return;
    word = TrimRight(s.substr(1));
  }
  if (word.empty() || word.size() > kLongestWord || !HighBytes(word))
    return;
  if (std::find(words_.begin(), words_.end(), word) == words_.end())
    words_.emplace_back(word);
}

std::size_t DesignerEvidence::CharsetVotes(std::string_view codePage) const {
  const auto it = charsets_.find(codePage);
  return it == charsets_.end() ? 0 : it->second;
}

std::pair<std::string_view, std::size_t> DesignerEvidence::MostCharsetVotes() const {
  std::pair<std::string_view, std::size_t> most;
  for (const auto& [codePage, votes] : charsets_)
    if (votes > most.second)
      most = {codePage, votes};
  return most;
}

bool DesignerEvidence::IsLocalWord(std::string_view codePage, std::u16string_view text) {
  for (const LocalWords& local : kLocalWords)
    if (local.CodePage == codePage)
      return std::find(local.Words.begin(), local.Words.end(), text) != local.Words.end();
  return false;
}

} // namespace qf
