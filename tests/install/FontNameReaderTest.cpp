#include <QtTest>

#include <fontconfig/fontconfig.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "fakes/FakeMessageBoxes.h"
#include "fixtures/CollectionBuilder.h"
#include "fixtures/FileBytes.h"
#include "fixtures/FontToolsFaces.h"
#include "fixtures/TempDir.h"
#include "fixtures/TrueTypeBuilder.h"
#include "install/FontNameReader.h"
#include "platform/files/FileSystemShell.h"

using namespace std::string_literals;

namespace {

constexpr std::uint16_t kCopyright = 0;
constexpr std::uint16_t kFamily = 1;
constexpr std::uint16_t kSubfamily = 2;
constexpr std::uint16_t kFullName = 4;
constexpr std::uint16_t kVersion = 5;
constexpr std::uint16_t kTypographicFamily = 16;
constexpr std::uint16_t kTypographicSubfamily = 17;

QByteArray BytesOf(const TrueTypeBuilder& builder) {
  const std::vector<unsigned char> bytes = builder.Bytes();
  return QByteArray(reinterpret_cast<const char*>(bytes.data()),
                    static_cast<qsizetype>(bytes.size()));
}

void WriteFile(const std::string& path, const QByteArray& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.constData(), bytes.size());
  QVERIFY2(file.good(), path.c_str());
}

// A name without spaces whose every prefix is distinct, so that a cut in the wrong place shows.
std::string Letters(std::size_t count) {
  std::string text;
  for (std::size_t i = 0; i < count; ++i) text += static_cast<char>('a' + i % 26);
  return text;
}

// A family and its full name, then records and strings the reader must not need.
TrueTypeBuilder SmallFont() {
  TrueTypeBuilder font;
  font.MacName(kFamily, "Cut Family")
      .MacName(kSubfamily, "Regular")
      .MacName(kFullName, "Cut Family Regular")
      .MacName(kVersion, "Version 1.0")
      .WindowsName(kFamily, u"Cut Family")
      .WindowsName(kFullName, u"Cut Family Regular");
  return font;
}
constexpr std::size_t kSmallFontFullName = 2;

// The full name comes at record index fullNameAt, behind a family at 0, among fillers up to
// recordCount records.
TrueTypeBuilder FullNameAtRecord(std::size_t fullNameAt, std::size_t recordCount) {
  TrueTypeBuilder font;
  font.MacName(kFamily, "Deep Family");
  for (std::size_t i = 1; i < recordCount; ++i) {
    if (i == fullNameAt)
      font.MacName(kFullName, "Deep Family Bold");
    else
      font.MacName(kSubfamily, "Filler");
  }
  return font;
}

// A real font under a file name that is not UTF-8.
struct ByteNameRow {
  QByteArray FileName;
};

}  // namespace

Q_DECLARE_METATYPE(ByteNameRow)

class FontNameReaderTest : public QObject {
  Q_OBJECT
 private slots:
  void names_data();
  void names();
  void cutAtEveryByte();
  void nothingCarriesOverFromAnEarlierFile();
  void directoryWithOrWithoutSlash();
  void unreadablePaths_data();
  void unreadablePaths();
  void collections_data();
  void collections();
  void debianFonts_data();
  void debianFonts();
  void nameBytesReachTheCopy_data();
  void nameBytesReachTheCopy();
  void namesAsFontToolsReadsThem_data();
  void namesAsFontToolsReadsThem();
};

void FontNameReaderTest::names_data() {
  QTest::addColumn<QByteArray>("file");
  QTest::addColumn<bool>("found");
  QTest::addColumn<QString>("family");
  QTest::addColumn<QString>("fullName");
  const auto face = [](const char* row, const TrueTypeBuilder& font, const char* family,
                       const char* fullName) {
    QTest::newRow(row) << BytesOf(font) << true << QString::fromUtf8(family)
                       << QString::fromUtf8(fullName);
  };
  const auto none = [](const char* row, const TrueTypeBuilder& font) {
    QTest::newRow(row) << BytesOf(font) << false << QString() << QString();
  };

  // Which records are taken.
  face("macintosh records before windows ones",
       TrueTypeBuilder()
           .MacName(kFamily, "Mac Family")
           .MacName(kFullName, "Mac Family Book")
           .WindowsName(kFamily, u"Win Family")
           .WindowsName(kFullName, u"Win Family Book"),
       "Mac Family", "Mac Family Book");
  face("other name IDs passed over",
       TrueTypeBuilder()
           .MacName(kCopyright, "(c) Nobody")
           .MacName(kFamily, "Plain")
           .MacName(kSubfamily, "Italic")
           .MacName(3, "Plain Italic 1.0")
           .MacName(kFullName, "Plain Italic")
           .MacName(kVersion, "Version 1.0"),
       "Plain", "Plain Italic");
  face("full name before the family skipped",
       TrueTypeBuilder()
           .MacName(kFullName, "Early Full")
           .MacName(kFamily, "Late Family")
           .MacName(kFullName, "Late Family Bold"),
       "Late Family", "Late Family Bold");
  face("later family replaces the earlier",
       TrueTypeBuilder()
           .MacName(kFamily, "First")
           .MacName(kFamily, "Second")
           .MacName(kFullName, "Second Bold"),
       "Second", "Second Bold");
  none("full name only", TrueTypeBuilder().MacName(kFullName, "Lonely Full"));
  none("no records", TrueTypeBuilder());

  // A face without a full name is named as fontconfig names it.
  face("family only: Regular", TrueTypeBuilder().MacName(kFamily, "Lonely Family"), "Lonely Family",
       "Lonely Family Regular");
  face("family and subfamily, Regular kept",
       TrueTypeBuilder().MacName(kFamily, "Plain").MacName(kSubfamily, "Regular"), "Plain",
       "Plain Regular");
  face("typographic names first",
       TrueTypeBuilder()
           .MacName(kSubfamily, "Bold")
           .MacName(kTypographicSubfamily, "Condensed Bold")
           .MacName(kFamily, "Plain Condensed")
           .MacName(kTypographicFamily, "Plain"),
       "Plain Condensed", "Plain Condensed Bold");
  face("typographic family, subfamily",
       TrueTypeBuilder()
           .MacName(kFamily, "Plain Light")
           .MacName(kSubfamily, "Italic")
           .MacName(kTypographicFamily, "Plain")
           .MacName(kTypographicSubfamily, "  "),
       "Plain Light", "Plain Italic");
  face("the face's own family and the first subfamily",
       TrueTypeBuilder()
           .MacName(kFamily, "Mac")
           .MacName(kSubfamily, "Oblique")
           .WindowsName(kFamily, u"Win")
           .WindowsName(kSubfamily, u"Italic"),
       "Win", "Win Oblique");
  none("subfamily past the end",
       TrueTypeBuilder()
           .MacName(kFamily, "Far")
           .Name({.NameId = kSubfamily, .Bytes = "Bold", .Offset = 0xFFF0}));
  none("empty family", TrueTypeBuilder().MacName(kFamily, " ").MacName(kSubfamily, "Bold"));

  // How the text is made.
  face("two-byte strings lose their zero bytes",
       TrueTypeBuilder()
           .WindowsName(kFamily, u"Wide Family")
           .WindowsName(kFullName, u"Wide Family Light"),
       "Wide Family", "Wide Family Light");
  face("two-byte Latin-1 letters kept",
       TrueTypeBuilder()
           .WindowsName(kFamily, u"Caf\u00e9")
           .WindowsName(kFullName, u"Caf\u00e9 Sans"),
       "Caf\u00e9", "Caf\u00e9 Sans");
  face("upper half read as Windows-1252",
       TrueTypeBuilder().MacName(kFamily, "\x80uro").MacName(kFullName, "\x93Quoted\x94 \xe9"),
       "\u20acuro", "\u201cQuoted\u201d \u00e9");
  face("control bytes dropped",
       TrueTypeBuilder().MacName(kFamily, "Tab\tbed").MacName(kFullName, "\x01Tab\x1f\x7f bed\n"),
       "Tabbed", "Tab\x7f bed");
  face("spaces trimmed at both ends",
       TrueTypeBuilder().MacName(kFamily, "  Roomy  ").MacName(kFullName, " \0 Roomy  Wide \0 "s),
       "Roomy", "Roomy  Wide");

  // Full names too short to show.
  for (const auto& [row, text] : std::vector<std::pair<const char*, std::string>>{
           {"full name of 0 characters", ""},
           {"full name of 1 character", "X"},
           {"full name of 1 character after trimming", "   X   "},
           {"full name of 1 character after dropping control bytes", "\x01X\0"s},
           {"full name of spaces only", "    "}})
    none(row, TrueTypeBuilder()
                  .MacName(kFamily, "Short")
                  .MacName(kFullName, text)
                  .MacName(kFullName, "Short Regular"));
  face("full name of 2 characters",
       TrueTypeBuilder().MacName(kFamily, "Short").MacName(kFullName, "XY"), "Short", "XY");
  none("short full name before the family ends the file", TrueTypeBuilder()
                                                              .MacName(kFullName, "X")
                                                              .MacName(kFamily, "Short")
                                                              .MacName(kFullName, "Short Regular"));

  // Bounds of the scan and of the strings.
  face("full name at record 100", FullNameAtRecord(99, 100), "Deep Family", "Deep Family Bold");
  face("full name at record 101: made of the names before", FullNameAtRecord(100, 101),
       "Deep Family", "Deep Family Filler");
  face("strings behind all 300 records", FullNameAtRecord(1, 300), "Deep Family",
       "Deep Family Bold");
  face("record count below the records present",
       TrueTypeBuilder()
           .MacName(kFamily, "Counted")
           .MacName(kFullName, "Counted Out")
           .RecordCount(1),
       "Counted", "Counted Regular");
  face(
      "record count above the records present",
      TrueTypeBuilder().MacName(kFamily, "Counted").MacName(kFullName, "Counted In").RecordCount(9),
      "Counted", "Counted In");
  face("header's storage offset not consulted",
       TrueTypeBuilder()
           .MacName(kFamily, "Stored")
           .MacName(kFullName, "Stored Here")
           .StorageOffsetField(0xFFFF),
       "Stored", "Stored Here");
  face("strings longer than 100 bytes cut to 100",
       TrueTypeBuilder().MacName(kFamily, Letters(150)).MacName(kFullName, Letters(101)),
       Letters(100).c_str(), Letters(100).c_str());
  face("string announced longer than the file, first 100 bytes present",
       TrueTypeBuilder()
           .MacName(kFamily, "Long")
           .Name({.NameId = kFullName, .Bytes = Letters(100), .Length = 300}),
       "Long", Letters(100).c_str());
  none("full name announced past the end",
       TrueTypeBuilder()
           .MacName(kFamily, "Long")
           .Name({.NameId = kFullName, .Bytes = "Long Bold", .Length = 10}));
  none("full name offset past the end",
       TrueTypeBuilder()
           .MacName(kFamily, "Far")
           .Name({.NameId = kFullName, .Bytes = "Far Bold", .Offset = 0xFFFF}));
  none("family offset past the end",
       TrueTypeBuilder()
           .Name({.NameId = kFamily, .Bytes = "Far", .Offset = 0xFFF0})
           .MacName(kFullName, "Far Bold"));

  // Finding the naming table.
  face("name table far behind the directory",
       TrueTypeBuilder().NameTableAt(70000).MacName(kFamily, "Far").MacName(kFullName, "Far Bold"),
       "Far", "Far Bold");
  none("top byte of the table offset counts: past the end", TrueTypeBuilder()
                                                                .NameOffsetTopByte(0xA5)
                                                                .MacName(kFamily, "Top")
                                                                .MacName(kFullName, "Top Bold"));
  none("name table offset past the end", TrueTypeBuilder()
                                             .NameOffsetField(0x00FFFFF0)
                                             .MacName(kFamily, "Gone")
                                             .MacName(kFullName, "Gone Bold"));
  face("name record last of many tables",
       TrueTypeBuilder()
           .Tables({"OS/2", "cmap", "cvt ", "glyf", "head", "hhea", "loca", "maxp", "name"})
           .MacName(kFamily, "Last")
           .MacName(kFullName, "Last Bold"),
       "Last", "Last Bold");
  none("no name table", TrueTypeBuilder()
                            .Tables({"cmap", "NAME", "nam", "nam ", "na\0e"s, " nam", "post"})
                            .MacName(kFamily, "Hidden")
                            .MacName(kFullName, "Hidden Bold"));
  none("name record beyond the table count", TrueTypeBuilder()
                                                 .Tables({"cmap", "head", "post", "name"})
                                                 .TableCount(3)
                                                 .MacName(kFamily, "Hidden")
                                                 .MacName(kFullName, "Hidden Bold"));
  none("table count 0",
       TrueTypeBuilder().TableCount(0).MacName(kFamily, "Zero").MacName(kFullName, "Zero Bold"));
  face("table count 65535 with the name record present",
       TrueTypeBuilder().TableCount(65535).MacName(kFamily, "Many").MacName(kFullName, "Many Bold"),
       "Many", "Many Bold");
  none("table count 65535 in a short file without a name record",
       TrueTypeBuilder()
           .Tables({"cmap", "head"})
           .TableCount(65535)
           .MacName(kFamily, "Many")
           .MacName(kFullName, "Many Bold"));

  // Files that are no fonts.
  QTest::newRow("empty file") << QByteArray() << false << QString() << QString();
  QTest::newRow("shorter than the offset table")
      << QByteArray("\0\1\0\0\0\1", 6) << false << QString() << QString();
  QTest::newRow("text file") << QByteArray("This is not a font, only text named like one.\n")
                             << false << QString() << QString();
  QTest::newRow("64 KB of 0xFF") << QByteArray(65536, '\xff') << false << QString() << QString();
}

void FontNameReaderTest::names() {
  QFETCH(QByteArray, file);
  QFETCH(bool, found);
  QFETCH(QString, family);
  QFETCH(QString, fullName);
  TempDir dir;
  WriteFile(dir.File("font.ttf"), file);

  const std::optional<FontFace> face = ReadFontNames(dir.Path(), "font.ttf");
  QCOMPARE(face.has_value(), found);
  if (!found) return;
  QVERIFY(face->Entry != nullptr);
  QCOMPARE(QString::fromStdString(face->Entry->FamilyName), family);
  QCOMPARE(QString::fromStdString(face->FullName), fullName);
  QCOMPARE(face->Entry->FileName, "font.ttf"s);
  // The names must survive a round trip through the program's UTF-8 text unchanged.
  QCOMPARE(QString::fromUtf8(face->FullName.c_str()).toStdString(), face->FullName);
  QCOMPARE(QString::fromUtf8(face->Entry->FamilyName.c_str()).toStdString(),
           face->Entry->FamilyName);
}

void FontNameReaderTest::cutAtEveryByte() {
  const TrueTypeBuilder font = SmallFont();
  const std::vector<unsigned char> whole = font.Bytes();
  // Everything the reader needs lies in front of the end of the full name's string; the strings
  // behind it are there so that a reader which wants the whole file is caught.
  const std::size_t needed = font.StringRange(kSmallFontFullName).second;
  QVERIFY(needed < whole.size());
  TempDir dir;
  for (std::size_t cut = 0; cut <= whole.size(); ++cut) {
    WriteFile(dir.File("cut.ttf"), BytesOf(TrueTypeBuilder(font).TruncateAt(cut)));
    const std::optional<FontFace> face = ReadFontNames(dir.Path(), "cut.ttf");
    const QByteArray where = QByteArray("cut at ") + QByteArray::number(qulonglong(cut));
    QVERIFY2(face.has_value() == (cut >= needed), where.constData());
    if (!face) continue;
    QCOMPARE(face->Entry->FamilyName, "Cut Family"s);
    QCOMPARE(face->FullName, "Cut Family Regular"s);
  }
}

void FontNameReaderTest::nothingCarriesOverFromAnEarlierFile() {
  TempDir dir;
  SmallFont().WriteTo(dir.Path(), "good.ttf");
  TrueTypeBuilder().MacName(kFullName, "Orphan Bold").WriteTo(dir.Path(), "orphan.ttf");
  const TrueTypeBuilder font = SmallFont();
  TrueTypeBuilder(font)
      .TruncateAt(font.StringRange(kSmallFontFullName).second - 1)
      .WriteTo(dir.Path(), "cut.ttf");

  const std::optional<FontFace> first = ReadFontNames(dir.Path(), "good.ttf");
  QVERIFY(first.has_value());
  QVERIFY(!ReadFontNames(dir.Path(), "orphan.ttf").has_value());
  QVERIFY(!ReadFontNames(dir.Path(), "cut.ttf").has_value());
  const std::optional<FontFace> again = ReadFontNames(dir.Path(), "good.ttf");
  QVERIFY(again.has_value());
  // Each reading makes an entry of its own: the lists hold faces of many files at once.
  QVERIFY(again->Entry != first->Entry);
  QCOMPARE(first->Entry->FamilyName, "Cut Family"s);
}

void FontNameReaderTest::directoryWithOrWithoutSlash() {
  TempDir dir;
  SmallFont().WriteTo(dir.Path(), "a b.ttf");
  for (const std::string& directory : {dir.Path(), dir.Path() + "/"}) {
    const std::optional<FontFace> face = ReadFontNames(directory, "a b.ttf");
    QVERIFY2(face.has_value(), directory.c_str());
    QCOMPARE(face->Entry->FileName, "a b.ttf"s);
  }
}

void FontNameReaderTest::unreadablePaths_data() {
  QTest::addColumn<QString>("kind");
  QTest::newRow("missing file") << "missing";
  QTest::newRow("missing directory") << "missing directory";
  QTest::newRow("directory named x.ttf") << "directory";
  QTest::newRow("named pipe named x.ttf") << "pipe";
  QTest::newRow("file without read permission") << "unreadable";
}

void FontNameReaderTest::unreadablePaths() {
  QFETCH(QString, kind);
  TempDir dir;
  std::string directory = dir.Path();
  const std::string path = dir.File("x.ttf");
  if (kind == "missing directory") {
    directory += "/absent";
  } else if (kind == "directory") {
    std::filesystem::create_directory(path);
  } else if (kind == "pipe") {
    QCOMPARE(::mkfifo(path.c_str(), 0600), 0);
  } else if (kind == "unreadable") {
    if (::geteuid() == 0) QSKIP("root reads files whatever their permissions");
    SmallFont().WriteTo(dir.Path(), "x.ttf");
    std::filesystem::permissions(path, std::filesystem::perms::none);
  }
  QVERIFY(!ReadFontNames(directory, "x.ttf").has_value());
}

void FontNameReaderTest::collections_data() {
  QTest::addColumn<QByteArray>("file");
  QTest::addColumn<QStringList>("faces");  // "index:full name:CFF outlines"
  const auto bytes = [](const TrueTypeBuilder& font) { return BytesOf(font).toStdString(); };
  const std::string alpha =
      bytes(TrueTypeBuilder().MacName(kFamily, "Alpha").MacName(kFullName, "Alpha Regular"));
  const std::string beta =
      bytes(TrueTypeBuilder().MacName(kFamily, "Beta").MacName(kFullName, "Beta Bold"));
  const std::string nameless = bytes(TrueTypeBuilder().Tables({"cmap", "head"}));
  const auto row = [](const char* name, const std::string& file, QStringList faces) {
    QTest::newRow(name) << QByteArray::fromStdString(file) << faces;
  };
  const QStringList both = {"0:Alpha Regular:0", "1:Beta Bold:0"};
  row("two fonts in order", MakeCollection({alpha, beta}), both);
  row("version 2 header", MakeCollection({alpha, beta}, 2), both);
  row("unknown version", MakeCollection({alpha, beta}, 3), {});
  row("count past the end of the offsets", MakeCollection({alpha, beta}, 1, 3), both);
  row("count past the end of the file", MakeCollection({alpha}, 1, 0xFFFFFFFF).substr(0, 16), {});
  row("count of 65,536 over two fonts", MakeCollection({alpha, beta}, 1, 0x10000), both);
  row("count of 4 G over two fonts", MakeCollection({alpha, beta}, 1, 0xFFFFFFFF), both);
  std::string repeated = MakeCollection({alpha, beta});
  repeated.replace(16, 4, repeated.substr(12, 4));
  row("an offset that repeats the first", repeated, {"0:Alpha Regular:0"});
  row("a font without names skipped, indexes kept", MakeCollection({alpha, nameless, beta}),
      {"0:Alpha Regular:0", "2:Beta Bold:0"});
  row("OpenType with CFF outlines", "OTTO" + alpha.substr(4), {"0:Alpha Regular:1"});
  row("collection of OpenType fonts", MakeCollection({"OTTO" + alpha.substr(4), beta}),
      {"0:Alpha Regular:1", "1:Beta Bold:0"});
  row("Debian fonts in one collection",
      MakeCollection({ReadBytes("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"),
                      ReadBytes("/usr/share/fonts/opentype/urw-base35/C059-Roman.otf")}),
      {"0:DejaVu Sans:0", "1:C059 Roman:1"});
  row("Debian collection whose last name table lies past 16 MiB",
      ReadBytes("/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc"),
      {"0:WenQuanYi Zen Hei:0", "1:WenQuanYi Zen Hei Mono:0", "2:WenQuanYi Zen Hei Sharp:0"});
}

void FontNameReaderTest::collections() {
  QFETCH(QByteArray, file);
  QFETCH(QStringList, faces);
  TempDir dir;
  WriteFile(dir.File("pair.ttc"), file);
  QStringList read;
  for (const FontFace& face : ReadFontFaces(dir.Path(), "pair.ttc")) {
    QCOMPARE(face.Entry->FileName, std::string("pair.ttc"));
    read << QStringLiteral("%1:%2:%3")
                .arg(face.Entry->FaceIndex)
                .arg(QString::fromStdString(face.FullName))
                .arg(face.Entry->CffOutlines ? 1 : 0);
  }
  QCOMPARE(read, faces);
}

void FontNameReaderTest::debianFonts_data() {
  QTest::addColumn<QString>("source");
  QTest::addColumn<QString>("family");
  QTest::addColumn<QString>("fullName");  // empty: the one fontconfig makes, the file having none
  // Each file's first family record and the first full name behind it are its Macintosh ones.
  QTest::newRow("fonts-dejavu-core regular") << "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"
                                             << "DejaVu Sans"
                                             << "DejaVu Sans";
  QTest::newRow("fonts-dejavu-core bold") << "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"
                                          << "DejaVu Sans"
                                          << "DejaVu Sans Bold";
  QTest::newRow("fonts-liberation regular")
      << "/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf"
      << "Liberation Sans"
      << "Liberation Sans";
  // The same fonts without their full names, fontTools having dropped every name ID 4.
  QTest::newRow("typographic names, no full name")
      << "/usr/share/fonts/truetype/dejavu/DejaVuSansCondensed-Bold.ttf"
      << "DejaVu Sans Condensed"
      << "";
  QTest::newRow("legacy names, Regular, no full name")
      << "/usr/share/fonts/truetype/liberation/LiberationMono-Regular.ttf"
      << "Liberation Mono"
      << "";
  QTest::newRow("CFF, no full name") << "/usr/share/fonts/opentype/urw-base35/C059-Roman.otf"
                                     << "C059"
                                     << "";
}

void FontNameReaderTest::debianFonts() {
  QFETCH(QString, source);
  QFETCH(QString, family);
  QFETCH(QString, fullName);
  const std::filesystem::path from = source.toStdString();
  QVERIFY2(std::filesystem::exists(from), "missing: run scripts/setup.sh");
  TempDir dir;
  const std::string copy = dir.File(from.filename().string());
  if (fullName.isEmpty()) {
    FontToolsFaces(from.string(), ":nofull", copy);
    int count = 0;
    FcPattern* scanned =
        FcFreeTypeQuery(reinterpret_cast<const FcChar8*>(copy.c_str()), 0, nullptr, &count);
    QVERIFY(scanned != nullptr);
    FcChar8* made = nullptr;
    if (FcPatternGetString(scanned, FC_FULLNAME, 0, &made) == FcResultMatch) {
      fullName = QString::fromUtf8(reinterpret_cast<const char*>(made));
    }
    FcPatternDestroy(scanned);
    QVERIFY(!fullName.isEmpty());
  } else {
    std::filesystem::copy_file(from, copy);
  }

  const std::optional<FontFace> face = ReadFontNames(dir.Path(), from.filename().string());
  QVERIFY(face.has_value());
  QCOMPARE(QString::fromStdString(face->Entry->FamilyName), family);
  QCOMPARE(QString::fromStdString(face->FullName), fullName);
  QCOMPARE(face->Entry->FileName, from.filename().string());
}

void FontNameReaderTest::nameBytesReachTheCopy_data() {
  QTest::addColumn<ByteNameRow>("row");
  QTest::newRow("Latin-1") << ByteNameRow{"caf\xE9.ttf"};
  QTest::newRow("lone continuation bytes") << ByteNameRow{"\x80\xBF.ttf"};
}

// What an installation does with the name read: copies the file under it into the Fonts folder.
void FontNameReaderTest::nameBytesReachTheCopy() {
  QFETCH(ByteNameRow, row);
  TempDir dir;
  const std::string name = row.FileName.toStdString();
  std::filesystem::copy_file("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", dir.File(name));

  const std::optional<FontFace> face = ReadFontNames(dir.Path(), name);
  QVERIFY(face.has_value());
  QCOMPARE(face->Entry->FileName, name);
  FakeMessageBoxes messages;
  FileSystemShell shell(messages);
  ShellRequest request{ShellOp::FO_COPY,
                       {dir.File(face->Entry->FileName)},
                       {dir.File("fonts/")},
                       ShellOp::FOF_NOCONFIRMATION};
  QVERIFY(shell.FileOperation(request));
  QCOMPARE(ReadBytes(dir.File("fonts/" + name)), ReadBytes(dir.File(name)));
}

void FontNameReaderTest::namesAsFontToolsReadsThem_data() {
  QTest::addColumn<QString>("source");
  QTest::addColumn<QString>("flavor");
  const QString inter = "/usr/share/fonts/truetype/inter-vf/";
  const QString dejavu = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
  const QString c059 = "/usr/share/fonts/opentype/urw-base35/C059-Roman.otf";
  QTest::newRow("variable, roman and italic instances") << inter + "Inter.var.ttf"
                                                        << "";
  QTest::newRow("variable, italic instances") << inter + "Inter-italic.var.ttf"
                                              << "";
  QTest::newRow("variable as WOFF 2") << inter + "InterDisplay-roman.var.ttf"
                                      << "woff2";
  QTest::newRow("variable as WOFF") << inter + "Inter-roman.var.ttf"
                                    << "woff";
  QTest::newRow("variable whose fvar counts 65,535 instances it does not hold")
      << inter + "Inter-roman.var.ttf"
      << ":instances=65535";
  QTest::newRow("TrueType as WOFF") << dejavu << "woff";
  QTest::newRow("TrueType as WOFF 2") << dejavu << "woff2";
  QTest::newRow("CFF as WOFF") << c059 << "woff";
  QTest::newRow("CFF as WOFF 2") << c059 << "woff2";
  QTest::newRow("WOFF cut short") << dejavu << "woff:cut";
  QTest::newRow("WOFF 2 cut short") << dejavu << "woff2:cut";
}

void FontNameReaderTest::namesAsFontToolsReadsThem() {
  QFETCH(QString, source);
  QFETCH(QString, flavor);
  QVERIFY2(std::filesystem::exists(source.toStdString()), "missing: run scripts/setup.sh");
  TempDir dir;
  const QString kind = flavor.section(':', 0, 0);
  const std::string file = "face." + (kind.isEmpty() ? std::string("ttf") : kind.toStdString());
  const QStringList expected =
      FontToolsFaces(source.toStdString(), flavor.toStdString(), dir.File(file));
  QStringList read;
  for (const FontFace& face : ReadFontFaces(dir.Path(), file)) {
    QCOMPARE(face.Entry->FileName, file);
    read << QString("%1|%2|%3|%4|%5")
                .arg(QString::fromStdString(face.Entry->FamilyName))
                .arg(QString::fromStdString(face.FullName))
                .arg(face.Entry->FaceIndex)
                .arg(face.Entry->Instance)
                .arg(face.Entry->CffOutlines ? 1 : 0);
  }
  QCOMPARE(read, expected);
  QCOMPARE(expected.isEmpty(), flavor.endsWith(":cut"));
}

QTEST_GUILESS_MAIN(FontNameReaderTest)
#include "FontNameReaderTest.moc"
