#pragma once

#include <QFont>
#include <QStringList>
#include <string>

// A font that shows one face only: a character the face lacks is drawn as the face's own missing
// glyph, never borrowed from another font.
QFont FaceFont(const std::string& faceName, double points, bool bold = false, bool italic = false);

// Gives a font the face and keeps its size and style.
void SetFaceName(QFont& font, const std::string& faceName);
