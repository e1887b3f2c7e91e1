#pragma once

class FontList;
class IMessageBoxes;
class IPrinter;
class IPrinterSetup;
class ListBox;
class SampleTexts;

// Print Setup: the printer setup dialog; when it changed the printer, the font list is filled
// with the new printer's fonts and the first one is shown.
void cmdPrintSetupClick(IPrinter& printer, IPrinterSetup& setup, FontList& fonts);

// Heading Font: after a confirmation, the current font of the list becomes the face of printed
// headings and is stored at once.
void cmdHeadingFontClick(ListBox& lstFonts, SampleTexts& texts, IMessageBoxes& messages);
