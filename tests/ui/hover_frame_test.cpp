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
  MainWindow& w = *f_.Window;
  MoveTo(w.Img3(2));
  QTRY_VERIFY(Shown(w.LPic()));
  ExpectFrame(w.LPic(), {220, 1080, 855, 760}, true);
  QCOMPARE(w.LPic()[0]->Colour(), QColor(135, 0, 0));
  QCOMPARE(w.LPic()[1]->Colour(), QColor(255, 0, 255));

  MoveTo(w.Img2(1));
  QTRY_VERIFY(Shown(w.LLabel1()));
  ExpectFrame(w.LLabel1(), {100, 180, 1710, 270}, false);
  QCOMPARE(w.LLabel1()[0]->Colour(), QColor(255, 255, 255));
  QCOMPARE(w.LLabel1()[3]->Colour(), QColor(135, 0, 135));

  MoveTo(w.Img1(3));
  QTRY_VERIFY(Shown(w.LHttp1()));
  ExpectFrame(w.LHttp1(), {8500, 60, 300, 300}, true);
  // Straight from one array to another: every frame stays.
  QVERIFY(Shown(w.LPic()));
  QVERIFY(Shown(w.LLabel1()));
  // The segments lie on the outline: the top one from L to L + W at T.
  QCOMPARE(w.LHttp1()[0]->geometry(), QRect(Px(8500), Px(60), Px(300), 2));
}

void HoverFrameTest::theFrameFollowsTheMouseFromHotspotToHotspot() {
  MainWindow& w = *f_.Window;
  MoveTo(w.Img3(1));
  QTRY_VERIFY(Shown(w.LPic()));
  ExpectFrame(w.LPic(), {220, 120, 855, 760}, true);
  MoveTo(w.Img3(3));
  QTRY_VERIFY(w.LPic()[0]->Ends() == FrameAround({220, 2040, 855, 735})[0]);
  ExpectFrame(w.LPic(), {220, 2040, 855, 735}, true);
  f_.Click(w.Img2(2));
  MoveTo(w.Img3(6));
  QTRY_VERIFY(w.LPic()[0]->Ends() == FrameAround({480, 1920, 975, 735})[0]);
  MoveTo(w.Img2(2));
  QTRY_VERIFY(Shown(w.LLabel1()));
  ExpectFrame(w.LLabel1(), {120, 570, 1710, 255}, false);
}

void HoverFrameTest::onlyTheirSurfacesTakeTheFramesAway() {
  MainWindow& w = *f_.Window;
  MoveTo(w.Img1(1));
  MoveTo(w.Img2(1));
  MoveTo(w.Img3(1));
  QTRY_VERIFY(Shown(w.LPic()));
  QVERIFY(Shown(w.LHttp1()) && Shown(w.LLabel1()));
  // The text area and the command panel's own frame have no mouse-move
  // handling: the frames stay.
  MoveTo(w.TxtOpen()->viewport());
  MoveTo(w.Picture1()->parentWidget(), {125, 5});
  QCoreApplication::processEvents();
  QVERIFY(Shown(w.LHttp1()) && Shown(w.LLabel1()) && Shown(w.LPic()));
  // The title picture takes the title hotspots' frame only.
  MoveTo(w.ImgTitle(), {200, 20});
  QTRY_VERIFY(Hidden(w.LHttp1()));
  QVERIFY(Shown(w.LLabel1()) && Shown(w.LPic()));
  // The group picture's background takes all three.
  MoveTo(w.Picture1(), {5, 250});
  QTRY_VERIFY(Hidden(w.LPic()));
  QVERIFY(Hidden(w.LLabel1()) && Hidden(w.LHttp1()));
}

void HoverFrameTest::theWindowBackgroundTakesAllFramesAway() {
  MainWindow& w = *f_.Window;
  MoveTo(w.Img1(2));
  MoveTo(w.Img2(1));
  MoveTo(w.Img3(2));
  QTRY_VERIFY(Shown(w.LPic()));
  MoveTo(&w, {140, 200});
  QTRY_VERIFY(Hidden(w.LPic()));
  QVERIFY(Hidden(w.LLabel1()) && Hidden(w.LHttp1()));
}

void HoverFrameTest::disabledHotspotsNeverShowAFrame() {
  MainWindow& w = *f_.Window;
  f_.Click(w.Img3(3));
  QVERIFY(!w.Img3(1)->isEnabled());
  MoveTo(w.Img3(3));
  QTRY_VERIFY(Shown(w.LPic()));
  // Over a disabled hotspot the mouse is over the group picture.
  MoveTo(w.Img3(1));
  QTRY_VERIFY(Hidden(w.LPic()));
  MoveTo(w.Img3(2));
  QCoreApplication::processEvents();
  QVERIFY(Hidden(w.LPic()));
}

QTEST_MAIN(HoverFrameTest)
#include "hover_frame_test.moc"
