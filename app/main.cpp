// Temporary entry point until the game object exists.
int main() { return 0; }
