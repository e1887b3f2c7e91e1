#include <QtTest>

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/fonts/FontconfigFontServices.h"

namespace {

// The style and full name fontconfig reads from one of the test font files, taken straight from
// the file so that the expectations do not depend on how the list call spells them.
struct NamesInFile {
  QString style;
  QString fullName;
};

NamesInFile ReadNamesInFile(const QString& fileName) {
  const QByteArray path = QByteArray(GLYPHERA_TEST_FONT_DIR "/") + fileName.toUtf8();
  int count = 0;
  FcPattern* face =
      FcFreeTypeQuery(reinterpret_cast<const FcChar8*>(path.constData()), 0, nullptr, &count);
  NamesInFile names;
  if (face == nullptr) return names;
  FcChar8* value = nullptr;
  if (FcPatternGetString(face, FC_STYLE, 0, &value) == FcResultMatch) {
    names.style = QString::fromUtf8(reinterpret_cast<const char*>(value));
  }
  if (FcPatternGetString(face, FC_FULLNAME, 0, &value) == FcResultMatch) {
    names.fullName = QString::fromUtf8(reinterpret_cast<const char*>(value));
  }
  FcPatternDestroy(face);
  return names;
}

qsizetype CountIgnoringCase(const std::vector<std::string>& names, const QString& wanted) {
  return std::count_if(names.begin(), names.end(), [&](const std::string& name) {
    return QString::fromStdString(name).compare(wanted, Qt::CaseInsensitive) == 0;
  });
}

// Every family of the hermetic test fonts, one row each.
void AddTestFamilyRows() {
  QTest::addColumn<QString>("family");
  for (const char* family : {"DejaVu Sans", "DejaVu Serif", "Liberation Mono", "Wingdings", "C059",
                             "P052", "Fixed", "System", "Inter", "Inter Thin",
                             // fontconfig keeps only its typographic family "Glyphera Fold Sans"
                             "Glyphera FoldSans"}) {
    QTest::newRow(family) << QString::fromLatin1(family);
  }
}

// Puts one more face into fontconfig's application fonts for the life of the object, listed under
// the given family names, so that a test can give the services names no test font file has.
class ExtraFace {
 public:
  explicit ExtraFace(const QStringList& families) {
    // Adding a folder is what makes the configuration hold an application font set at all.
    const QByteArray emptyFolder = folder_.path().toUtf8();
    FcConfigAppFontAddDir(nullptr, reinterpret_cast<const FcChar8*>(emptyFolder.constData()));
    FcFontSet* applicationFonts = FcConfigGetFonts(nullptr, FcSetApplication);
    FcPattern* face = FcPatternCreate();
    for (const QString& family : families) {
      FcPatternAddString(face, FC_FAMILY,
                         reinterpret_cast<const FcChar8*>(family.toUtf8().constData()));
    }
    FcPatternAddString(face, FC_STYLE, reinterpret_cast<const FcChar8*>("Regular"));
    if (applicationFonts == nullptr || !FcFontSetAdd(applicationFonts, face)) {
      FcPatternDestroy(face);
    }
  }
  ~ExtraFace() { FcConfigAppFontClear(nullptr); }
  ExtraFace(const ExtraFace&) = delete;
  ExtraFace& operator=(const ExtraFace&) = delete;

 private:
  QTemporaryDir folder_;
};

}  // namespace

class FontconfigFontServicesTest : public QObject {
  Q_OBJECT

 private slots:
  void screenFontNamesStartWithDefaultThenSortedUniqueNames() {
    FontconfigFontServices services;
    const std::vector<std::string> names = services.ScreenFontNames();
    QVERIFY(!names.empty());
    QCOMPARE(QString::fromStdString(names.front()), QStringLiteral("Default"));
    for (std::size_t i = 2; i < names.size(); ++i) {
      const QString previous = QString::fromStdString(names[i - 1]);
      const QString current = QString::fromStdString(names[i]);
      // Strictly ascending: out of order or a name repeated in another letter case both fail.
      QVERIFY2(previous.compare(current, Qt::CaseInsensitive) < 0,
               qPrintable(previous + " before " + current));
    }
  }

  void screenFontNamesHoldEachFamilyOnce_data() { AddTestFamilyRows(); }
  void screenFontNamesHoldEachFamilyOnce() {
    QFETCH(QString, family);
    FontconfigFontServices services;
    QCOMPARE(CountIgnoringCase(services.ScreenFontNames(), family), 1);
  }

  void installedFamiliesHoldEachFamilyOnce_data() { AddTestFamilyRows(); }
  void installedFamiliesHoldEachFamilyOnce() {
    QFETCH(QString, family);
    FontconfigFontServices services;
    const std::vector<std::string> families = services.InstalledFamilies();
    QCOMPARE(std::count(families.begin(), families.end(), family.toStdString()), 1);
  }

  // The printer's list and the screen's list are the same families, only ordered differently.
  void installedFamiliesAreTheScreenFamiliesUnsorted() {
    FontconfigFontServices services;
    std::vector<std::string> installed = services.InstalledFamilies();
    std::vector<std::string> screen = services.ScreenFontNames();
    screen.erase(screen.begin());
    std::sort(installed.begin(), installed.end());
    std::sort(screen.begin(), screen.end());
    QCOMPARE(installed, screen);
  }

  // Faces whose names collapse in one list and not in the other.
  void familyNamesAreGivenOnce_data() {
    QTest::addColumn<QStringList>("namesOfExtraFace");
    QTest::addColumn<QString>("family");
    QTest::addColumn<int>("onScreenIgnoringCase");
    QTest::addColumn<int>("installedExactly");
    QTest::newRow("a second name after the family's")
        << QStringList{"DejaVu Sans", "DejaVu Sans Condensed"} << "DejaVu Sans" << 1 << 1;
    QTest::newRow("another letter case, as the test font spells it")
        << QStringList{"DEJAVU SANS"} << "DejaVu Sans" << 1 << 1;
    QTest::newRow("another letter case, as the extra face spells it")
        << QStringList{"DEJAVU SANS"} << "DEJAVU SANS" << 1 << 1;
    QTest::newRow("the screen's pseudo family") << QStringList{"default"} << "default" << 1 << 1;
  }
  void familyNamesAreGivenOnce() {
    QFETCH(QStringList, namesOfExtraFace);
    QFETCH(QString, family);
    QFETCH(int, onScreenIgnoringCase);
    QFETCH(int, installedExactly);
    const ExtraFace extra(namesOfExtraFace);
    FontconfigFontServices services;
    QCOMPARE(CountIgnoringCase(services.ScreenFontNames(), family), onScreenIgnoringCase);
    const std::vector<std::string> installed = services.InstalledFamilies();
    QCOMPARE(std::count(installed.begin(), installed.end(), family.toStdString()),
             installedExactly);
  }

  void enumFontFamiliesOrdersTheFacesOfAFamily_data() {
    QTest::addColumn<QString>("family");
    QTest::newRow("as fontconfig spells it") << QStringLiteral("DejaVu Sans");
    QTest::newRow("lower case") << QStringLiteral("dejavu sans");
    QTest::newRow("upper case") << QStringLiteral("DEJAVU SANS");
    // fontconfig also ignores blanks; the face still reports the family as fontconfig spells it.
    QTest::newRow("without the blank") << QStringLiteral("dejavusans");
  }
  void enumFontFamiliesOrdersTheFacesOfAFamily() {
    QFETCH(QString, family);
    struct Expected {
      const char* file;
      int weight;
      bool italic;
    };
    const Expected faces[] = {{"DejaVuSans.ttf", 400, false},
                              {"DejaVuSans-Oblique.ttf", 400, true},
                              {"DejaVuSans-Bold.ttf", 700, false},
                              {"DejaVuSans-BoldOblique.ttf", 700, true}};
    FontconfigFontServices services;
    const std::vector<FontStyleRecord> records = services.EnumFontFamilies(family.toStdString());
    QCOMPARE(records.size(), std::size(faces));
    for (std::size_t i = 0; i < records.size(); ++i) {
      const FontStyleRecord& record = records[i];
      const NamesInFile names = ReadNamesInFile(QString::fromLatin1(faces[i].file));
      QVERIFY(!names.style.isEmpty() && !names.fullName.isEmpty());
      QCOMPARE(QString::fromStdString(record.elfStyle), names.style);
      QCOMPARE(QString::fromStdString(record.elfFullName), names.fullName);
      QCOMPARE(record.FaceName, std::string("DejaVu Sans"));
      QCOMPARE(record.Weight, faces[i].weight);
      QCOMPARE(record.Italic, faces[i].italic);
      QCOMPARE(record.tmPitchAndFamily, TMPF_TRUETYPE);
      QCOMPARE(record.tmCharSet, ANSI_CHARSET);
    }
  }

  void enumFontFamiliesClassifiesEachFormat_data() {
    QTest::addColumn<QString>("family");
    QTest::addColumn<int>("weight");
    QTest::addColumn<int>("pitchAndFamily");
    QTest::addColumn<int>("charSet");
    QTest::newRow("TrueType") << QStringLiteral("Liberation Mono") << 400 << int{TMPF_TRUETYPE}
                              << int{ANSI_CHARSET};
    QTest::newRow("TrueType, symbol cmap")
        << QStringLiteral("Wingdings") << 400 << int{TMPF_TRUETYPE} << int{SYMBOL_CHARSET};
    QTest::newRow("Type 1 and CFF copies of one face")
        << QStringLiteral("C059") << 400 << int{TMPF_VECTOR} << int{ANSI_CHARSET};
    QTest::newRow("CFF") << QStringLiteral("P052") << 400 << int{TMPF_VECTOR} << int{ANSI_CHARSET};
    QTest::newRow("PCF bitmap") << QStringLiteral("Fixed") << 400 << 0 << int{OEM_CHARSET};
    QTest::newRow("Windows FNT bitmap") << QStringLiteral("System") << 400 << 0 << int{OEM_CHARSET};
    QTest::newRow("bitmaps in an sfnt (OTB)")
        << QStringLiteral("Terminus") << 500 << 0 << int{OEM_CHARSET};
    QTest::newRow("a legacy family of one light face")
        << QStringLiteral("DejaVu Sans Light") << 200 << int{TMPF_TRUETYPE} << int{ANSI_CHARSET};
  }
  void enumFontFamiliesClassifiesEachFormat() {
    QFETCH(QString, family);
    QFETCH(int, weight);
    QFETCH(int, pitchAndFamily);
    QFETCH(int, charSet);
    FontconfigFontServices services;
    const std::vector<FontStyleRecord> records = services.EnumFontFamilies(family.toStdString());
    QCOMPARE(records.size(), std::size_t{1});
    const FontStyleRecord& record = records.front();
    QCOMPARE(QString::fromStdString(record.FaceName), family);
    QVERIFY(!record.elfStyle.empty());
    QVERIFY(!record.elfFullName.empty());
    QCOMPARE(record.Weight, weight);
    QVERIFY(!record.Italic);
    QCOMPARE(int{record.tmPitchAndFamily}, pitchAndFamily);
    QCOMPARE(int{record.tmCharSet}, charSet);
  }

  // A typographic family with condensed and light faces lists as several legacy families, each
  // holding only its own faces, under the styles the faces give for that family.
  void legacyFamiliesHoldTheirOwnFaces_data() {
    QTest::addColumn<QString>("family");
    QTest::addColumn<QString>("styles");
    QTest::newRow("the basic four") << "DejaVu Sans"
                                    << "Book, Oblique, Bold, Bold Oblique";
    QTest::newRow("the condensed four") << "DejaVu Sans Condensed"
                                        << "Book, Oblique, Bold, Bold Oblique";
    QTest::newRow("a full name selects its face") << "DejaVu Sans Condensed Bold"
                                                  << "Bold";
    // Variable fonts: each named instance is the face a static font of that style would be.
    QTest::newRow("variable: regular and bold instances") << "Inter"
                                                          << "Regular, Italic, Bold, Bold Italic";
    QTest::newRow("variable: the lightest instance") << "Inter Thin"
                                                     << "Regular, Italic";
    QTest::newRow("variable: a weight of two words") << "Inter Semi Bold"
                                                     << "Regular, Italic";
    QTest::newRow("variable: an instance's full name") << "Inter Black Italic"
                                                       << "Italic";
  }
  void legacyFamiliesHoldTheirOwnFaces() {
    QFETCH(QString, family);
    QFETCH(QString, styles);
    FontconfigFontServices services;
    QStringList listed;
    for (const FontStyleRecord& record : services.EnumFontFamilies(family.toStdString())) {
      listed << QString::fromStdString(record.elfStyle);
    }
    QCOMPARE(listed.join(QStringLiteral(", ")), styles);
  }

  void enumFontFamiliesOfAnAbsentFamilyIsEmpty_data() {
    QTest::addColumn<QString>("family");
    QTest::newRow("unknown") << QStringLiteral("No Such Family");
    QTest::newRow("the screen's pseudo family") << QStringLiteral("Default");
    QTest::newRow("start of a family's name") << QStringLiteral("DejaVu");
    QTest::newRow("empty") << QString();
  }
  void enumFontFamiliesOfAnAbsentFamilyIsEmpty() {
    QFETCH(QString, family);
    FontconfigFontServices services;
    QVERIFY(services.EnumFontFamilies(family.toStdString()).empty());
  }
};

QTEST_GUILESS_MAIN(FontconfigFontServicesTest)
#include "FontconfigFontServicesTest.moc"
