#pragma once
// The pictures drawn for the windows' buttons, as Qt resources:
// ":/pictures/ok.png" (a green tick), ":/pictures/cancel.png" (a red cross)
// and ":/pictures/quest.png" (a question mark with an arrow).

namespace widgets {

// Makes the resources available; call once before the first window is built.
void initWindowPictures();

} // namespace widgets
