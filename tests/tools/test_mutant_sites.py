import unittest

import mutant_sites


def mutants(source):
    return [(m.op, m.original, m.replacement) for m in mutant_sites.find_mutants("x.cpp", source)]


class MutantSites(unittest.TestCase):
    def test_only_code_is_mutated(self):
        source = ('#include <vector>\n#define LIMIT (1 < 2)\n// a < b\n/* a && b */\n'
                  'auto s = "x < y"; auto r = R"(a<b)"; char c = \'<\'; char d = \'"\';\nbool k = a < b;\n')
        self.assertEqual(mutants(source), [("cmp-negate", "<", ">="), ("cmp-boundary", "<", "<=")])

    def test_templates_and_rvalue_references_are_left_alone(self):
        source = ("std::vector<std::pair<int, int>> v; auto n = static_cast<int>(x); auto&& r = f();\n"
                  "if (a < b && c > d) {}\n")
        self.assertEqual([m for m in mutants(source) if m[0] != "cmp-boundary"],
                         [("cmp-negate", "<", ">="), ("and-or", "&&", "||"), ("cmp-negate", ">", "<=")])

    def test_subscripts_change_and_array_sizes_do_not(self):
        self.assertEqual(mutants("std::uint8_t bytes[4]; x = LbData[13]; y = first[0];"),
                         [("index+1", "[13]", "[14]"), ("index-1", "[13]", "[12]"), ("index+1", "[0]", "[1]")])

    def test_literals_keep_their_form(self):
        cases = [("0x1F", 1, "0x20"), ("0", -1, "(-1)"), ("1'000", 1, "1001"), ("0.5f", -1, "(-0.5f)"),
                 ("10u", 1, "11u"), ("010", 1, "011"), ("1e-3", 1, "1.001"), ("10ms", 1, None)]
        for text, delta, expected in cases:
            self.assertEqual(mutant_sites._number(text, delta), expected, text)

    def test_returns(self):
        self.assertEqual(mutants("return a < b; return value; return {}; return; return true;"),
                         [("return-negate", "return a < b;", "return !(a < b);"),
                          ("cmp-negate", "<", ">="), ("cmp-boundary", "<", "<="),
                          ("return-default", "return value;", "return {};"), ("bool-flip", "true", "false")])


if __name__ == "__main__":
    unittest.main()
