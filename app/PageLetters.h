#pragma once

class QKeySequence;
class QTabWidget;

// Answers Alt and a letter for the pages of a tab widget by ChooseLetterOwner: clicks the button
// or check box, focuses a label's buddy or shows the page. Qt alone resolves a letter that two
// visible owners share by moving the focus between them, so a tab could take the letter of the
// check box in view. Returns false for keys the pages leave to others.
bool AnswerPageLetter(QTabWidget& pages, const QKeySequence& keys);
