#pragma once

class CMainDialog;

// Runs the main dialog as the program does: with the remembered line settings and window
// place, application-modal under exec(); when it ends, both are remembered again.
void RunMainDialog(CMainDialog& dialog);
