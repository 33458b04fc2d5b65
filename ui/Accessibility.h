#pragma once

// Makes the self-drawn controls tell assistive technology what they are: the bitmap buttons
// are push buttons (the one with an alternate face a toggle with its state), the captions and
// lamps are text. Called by those controls' constructors; installs once.
void InstallAccessibleFactory();
