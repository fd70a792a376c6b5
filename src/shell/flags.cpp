#include "shell/flags.h"

kwAppFlags appFlags;
