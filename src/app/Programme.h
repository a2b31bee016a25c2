#pragma once
// The program block: start-up, the resident windows and the message loop.
int LancerProgramme(int argc, char** argv);
