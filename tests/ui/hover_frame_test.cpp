// Hover frames under real mouse moves, a fresh window per test.

#include "tests/ui/window_test_support.h"
#include "ui/line_shape.h"
#include "ui/picture_box.h"
#include "ui/place.h"

#include <QPlainTextEdit>
#include <QTest>

using namespace qf;
using namespace qf::ui;

class HoverFrameTest : public QObject {
  Q_OBJECT

private slots:
  void init() { QVERIFY(f_.Create()); }
  void cleanup() { f_.Window.reset(); }

  void eachArrayShowsItsFrameOnItsHotspot();
  void theFrameFollowsTheMouseFromHotspotToHotspot();
  void onlyTheirSurfacesTakeTheFramesAway();
  void theWindowBackgroundTakesAllFramesAway();
  void disabledHotspotsNeverShowAFrame();

private:
  /// Moves the mouse to `local` in `widget`, through the window system.
  void MoveTo(QWidget* widget, QPoint local) const {
    QTest::mouseMove(f_.Window.get(), widget->mapTo(f_.Window.get(), local));
  }
  void MoveTo(QWidget* widget) const { MoveTo(widget, widget->rect().center()); }

  static bool Shown(const HoverFrame& frame) {
    return std::all_of(frame.begin(), frame.end(), [](LineShape* s) { return s->isVisible(); });
  }
  static bool Hidden(const HoverFrame& frame) {
    return std::none_of(frame.begin(), frame.end(), [](LineShape* s) { return s->isVisible(); });
  }
  static void ExpectFrame(const HoverFrame& frame, const TwipsRect& around, bool sunken) {
    const std::array<Segment, 4> ends = FrameAround(around);
    const std::array<Rgb, 4> colours = FrameColours(sunken);
    for (std::size_t i = 0; i < 4; ++i) {
      QVERIFY(frame[i]->isVisible());
      QVERIFY(frame[i]->Ends() == ends[i]);
      QCOMPARE(frame[i]->Colour(), ToQColor(colours[i]));
    }
  }

  test::WindowFixture f_;
};

void HoverFrameTest::eachArrayShowsItsFrameOnItsHotspot() {
  MoveTo(f_.Img("img3", 2));
  QTRY_VERIFY(Shown(f_.Frame("lPic")));
  ExpectFrame(f_.Frame("lPic"), {220, 1080, 855, 760}, true);
  QCOMPARE(f_.Frame("lPic")[0]->Colour(), QColor(135, 0, 0));
  QCOMPARE(f_.Frame("lPic")[1]->Colour(), QColor(255, 0, 255));

  MoveTo(f_.Img("img2", 1));
  QTRY_VERIFY(Shown(f_.Frame("lLabel1")));
  ExpectFrame(f_.Frame("lLabel1"), {100, 180, 1710, 270}, false);
  QCOMPARE(f_.Frame("lLabel1")[0]->Colour(), QColor(255, 255, 255));
  QCOMPARE(f_.Frame("lLabel1")[3]->Colour(), QColor(135, 0, 135));

  MoveTo(f_.Img("img1", 3));
  QTRY_VERIFY(Shown(f_.Frame("lHttp1")));
  ExpectFrame(f_.Frame("lHttp1"), {8500, 60, 300, 300}, true);
  // Straight from one array to another: every frame stays.
  QVERIFY(Shown(f_.Frame("lPic")));
  QVERIFY(Shown(f_.Frame("lLabel1")));
  // The segments lie on the outline: the top one from L to L + W at T.
  QCOMPARE(f_.Frame("lHttp1")[0]->geometry(), QRect(Px(8500), Px(60), Px(300), 2));
}

void HoverFrameTest::theFrameFollowsTheMouseFromHotspotToHotspot() {
  MoveTo(f_.Img("img3", 1));
  QTRY_VERIFY(Shown(f_.Frame("lPic")));
  ExpectFrame(f_.Frame("lPic"), {220, 120, 855, 760}, true);
  MoveTo(f_.Img("img3", 3));
  QTRY_VERIFY(f_.Frame("lPic")[0]->Ends() == FrameAround({220, 2040, 855, 735})[0]);
  ExpectFrame(f_.Frame("lPic"), {220, 2040, 855, 735}, true);
  f_.Click(f_.Img("img2", 2));
  MoveTo(f_.Img("img3", 6));
  QTRY_VERIFY(f_.Frame("lPic")[0]->Ends() == FrameAround({480, 1920, 975, 735})[0]);
  MoveTo(f_.Img("img2", 2));
  QTRY_VERIFY(Shown(f_.Frame("lLabel1")));
  ExpectFrame(f_.Frame("lLabel1"), {120, 570, 1710, 255}, false);
}

void HoverFrameTest::onlyTheirSurfacesTakeTheFramesAway() {
  MoveTo(f_.Img("img1", 1));
  MoveTo(f_.Img("img2", 1));
  MoveTo(f_.Img("img3", 1));
  QTRY_VERIFY(Shown(f_.Frame("lPic")));
  QVERIFY(Shown(f_.Frame("lHttp1")) && Shown(f_.Frame("lLabel1")));
  // The text area and the command panel's own frame have no mouse-move
  // handling: the frames stay.
  MoveTo(f_.TxtOpen()->viewport());
  MoveTo(f_.Child(QStringLiteral("Picture1"))->parentWidget(), {125, 5});
  QCoreApplication::processEvents();
  QVERIFY(Shown(f_.Frame("lHttp1")) && Shown(f_.Frame("lLabel1")) && Shown(f_.Frame("lPic")));
  // The title picture takes the title hotspots' frame only.
  MoveTo(f_.Child(QStringLiteral("imgTitle")), {200, 20});
  QTRY_VERIFY(Hidden(f_.Frame("lHttp1")));
  QVERIFY(Shown(f_.Frame("lLabel1")) && Shown(f_.Frame("lPic")));
  // The group picture's background takes all three.
  MoveTo(f_.Child(QStringLiteral("Picture1")), {5, 250});
  QTRY_VERIFY(Hidden(f_.Frame("lPic")));
  QVERIFY(Hidden(f_.Frame("lLabel1")) && Hidden(f_.Frame("lHttp1")));
}

void HoverFrameTest::theWindowBackgroundTakesAllFramesAway() {
  MoveTo(f_.Img("img1", 2));
  MoveTo(f_.Img("img2", 1));
  MoveTo(f_.Img("img3", 2));
  QTRY_VERIFY(Shown(f_.Frame("lPic")));
  MoveTo(f_.Window.get(), {140, 200});
  QTRY_VERIFY(Hidden(f_.Frame("lPic")));
  QVERIFY(Hidden(f_.Frame("lLabel1")) && Hidden(f_.Frame("lHttp1")));
}

void HoverFrameTest::disabledHotspotsNeverShowAFrame() {
  f_.Click(f_.Img("img3", 3));
  QVERIFY(!f_.Img("img3", 1)->isEnabled());
  MoveTo(f_.Img("img3", 3));
  QTRY_VERIFY(Shown(f_.Frame("lPic")));
  // Over a disabled hotspot the mouse is over the group picture.
  MoveTo(f_.Img("img3", 1));
  QTRY_VERIFY(Hidden(f_.Frame("lPic")));
  MoveTo(f_.Img("img3", 2));
  QCoreApplication::processEvents();
  QVERIFY(Hidden(f_.Frame("lPic")));
}

QTEST_MAIN(HoverFrameTest)
#include "hover_frame_test.moc"
