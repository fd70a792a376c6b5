// The sound subcommands of the lfl tool: decode a ".noi" record of an
// archive to a WAV file, and encode a PCM WAV file as a ".noi" payload
// (plain PCM, or ADPCM with --adpcm). Each takes the arguments after its
// own name and returns the exit status.
#pragma once

int lflDecode(int argc, char** argv);
int lflEncode(int argc, char** argv);
