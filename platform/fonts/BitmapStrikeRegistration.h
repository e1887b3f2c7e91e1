#pragma once

// The toolkit's fontconfig database registers a face of bitmaps only at its first strike, so
// every size of it would be drawn at that one. This makes each strike of every such face known
// to the toolkit, now and again whenever its font database changes (fonts added or removed), so
// that a size is drawn at the face's strike nearest to it. Needs the application object; does
// nothing before there is one.
void KeepBitmapStrikesRegistered();
