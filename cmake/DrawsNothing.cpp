// Linked with every object of the libraries that draw nothing and without the UI kit: a call
// from one of them into the kit fails the link.
int main()
{
    return 0;
}
