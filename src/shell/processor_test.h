// The start-up timing test that decides whether the fast blend paths may be
// used: a machine that moves a few megabytes quickly enough, with the
// vector instructions the fast paths need.
#pragma once

void runProcessorTest();
