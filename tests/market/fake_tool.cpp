// A stand-in for an installed tool: stays alive until it is ended (or two minutes pass).
#include <unistd.h>

int main()
{
    for (int i = 0; i < 120; ++i)
        sleep(1);
    return 0;
}
