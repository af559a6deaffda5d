// Program entry. (Filled in by the game's text phase.)
int main() { return 0; }
