// Loads without complaint and has an exported function, but no resources.
extern "C" int GlyphbankImpostor()
{
    return 1;
}
