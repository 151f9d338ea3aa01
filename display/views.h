// The two views of the play area: the board while a game is played, the whole picture otherwise.
#pragma once

int DrawBoard();
int DrawPicture();

// The board view while a game is played, the picture view otherwise.
int DrawCurrentView();
