// For tests: the temporary-string pool's once-per-process notice armed again.
#pragma once

void RtForgetExhaustionTold();
