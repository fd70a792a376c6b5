// `lfl show`: draws records of an archive through the game's image classes.
#pragma once

// argv[0] is "show"; returns the process exit status.
int lflShow(int argc, char** argv);
