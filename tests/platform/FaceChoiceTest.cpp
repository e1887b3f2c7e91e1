#include <QtTest>

#include "platform/fonts/FaceChoice.h"

Q_DECLARE_METATYPE(FaceCandidate)

// Which face of a legacy family answers a request for bold and italic, and what is added.
class FaceChoiceTest : public QObject {
  Q_OBJECT
 private slots:
  void choosesTheFaceAndWhatToAdd_data() {
    QTest::addColumn<std::vector<FaceCandidate>>("faces");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("addBold");
    QTest::addColumn<bool>("addItalic");
    const std::vector<FaceCandidate> four = {{400, false}, {400, true}, {700, false}, {700, true}};
    QTest::newRow("four styles, bold italic") << four << true << true << 3 << false << false;
    QTest::newRow("four styles, regular") << four << false << false << 0 << false << false;
    const std::vector<FaceCandidate> one = {{200, false}};
    QTest::newRow("one light face, bold italic") << one << true << true << 0 << true << true;
    const std::vector<FaceCandidate> lightDemi = {{300, false}, {600, false}};
    QTest::newRow("a demi face is bold enough")
        << lightDemi << true << false << 1 << false << false;
    QTest::newRow("a light face is the regular")
        << lightDemi << false << false << 0 << false << false;
    const std::vector<FaceCandidate> italicOnly = {{500, true}};
    QTest::newRow("an italic family asked upright")
        << italicOnly << false << false << 0 << false << false;
    const std::vector<FaceCandidate> black = {{900, false}, {900, true}};
    QTest::newRow("a black family is never emboldened")
        << black << true << false << 0 << false << false;
  }
  void choosesTheFaceAndWhatToAdd() {
    QFETCH(std::vector<FaceCandidate>, faces);
    QFETCH(bool, bold);
    QFETCH(bool, italic);
    QFETCH(int, index);
    QFETCH(bool, addBold);
    QFETCH(bool, addItalic);
    const std::optional<FaceChoice> choice = ChooseFace(faces, bold, italic);
    QVERIFY(choice.has_value());
    QCOMPARE(static_cast<int>(choice->Index), index);
    QCOMPARE(choice->SynthesizeBold, addBold);
    QCOMPARE(choice->SynthesizeItalic, addItalic);
  }

  void noFacesNoChoice() { QVERIFY(!ChooseFace({}, true, false).has_value()); }
};

QTEST_GUILESS_MAIN(FaceChoiceTest)
#include "FaceChoiceTest.moc"
