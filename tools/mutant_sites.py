"""Single-point mutants of a C++ source: a small lexer and the places each mutation applies.

The lexer skips comments, string and character literals (raw strings included) and preprocessor
lines; the finder tells template brackets, rvalue references and array sizes of declarations from
the operators and literals it mutates, so that few mutants fail to compile.
"""

import bisect
import re
from dataclasses import dataclass

OPERATORS = sorted("""<=> <<= >>= ->* ... :: -> ++ -- << >> <= >= == != && || += -= *= /= %= &= |= ^= .*
                      < > = ! ~ + - * / % & | ^ ? : ; , . ( ) [ ] { }""".split(), key=len, reverse=True)
NUMBER = re.compile(r"\.?[0-9](?:[eEpP][+-]|'[0-9A-Za-z_]|[0-9A-Za-z_.])*")
IDENTIFIER = re.compile(r"[A-Za-z_][A-Za-z0-9_]*")
STRING_PREFIX = re.compile(r'(?:u8|u|U|L)?(?:R(?=")|(?=["\']))')
INTEGER = re.compile(r"(0[xX][0-9a-fA-F']+|0[bB][01']+|[0-9][0-9']*)([uUlLzZ]*)")
FLOAT = re.compile(r"((?:[0-9]*\.[0-9]*|[0-9]+)(?:[eE][+-]?[0-9]+)?)([fFlL]?)")
NEGATED = {"<": ">=", ">=": "<", ">": "<=", "<=": ">", "==": "!=", "!=": "=="}
BOUNDARY = {"<": "<=", "<=": "<", ">": ">=", ">=": ">"}
# Words after which `name[` is a subscript, not the declaration of an array.
EXPRESSION_WORDS = {"return", "case", "else", "do", "throw", "co_return", "co_yield", "delete"}
# Return values that `return {};` would not change, or could not replace (a reference returned).
UNCHANGED_RETURNS = {"{}", "0", "0.0", "0.0f", "nullptr", "std::nullopt", "false", "true", "*this"}


@dataclass
class Token:
    kind: str  # id, num, str (character literals too), op
    text: str
    start: int
    space_before: bool


@dataclass
class Mutant:
    path: str
    line: int
    col: int
    op: str
    start: int
    end: int
    original: str
    replacement: str

    @property
    def ident(self):
        return f"{self.path}:{self.line}:{self.col}:{self.op}"


def _skip_quoted(text, i, quote):
    i += 1
    while i < len(text) and text[i] != quote:
        i += 2 if text[i] == "\\" else 1
    return i + 1


def tokenize(text):
    tokens, i, n = [], 0, len(text)
    line_start = True
    while i < n:
        start, c = i, text[i]
        if c == "\n":
            line_start, i = True, i + 1
            continue
        if c.isspace():
            i += 1
            continue
        if text.startswith("//", i):
            end = text.find("\n", i)
            i = n if end < 0 else end
            continue
        if text.startswith("/*", i):
            end = text.find("*/", i + 2)
            i = n if end < 0 else end + 2
            continue
        if c == "#" and line_start:
            while i < n and text[i] != "\n":
                i += 2 if text.startswith("\\\n", i) else 1
            continue
        line_start = False
        prefix = STRING_PREFIX.match(text, i)  # a quote, or a literal's prefix right before one
        if prefix:
            i = prefix.end()
            if prefix.group().endswith("R"):
                delimiter = text[i + 1:text.index("(", i)]
                i = text.index(")" + delimiter + '"', i) + len(delimiter) + 2
            else:
                i = _skip_quoted(text, i, text[i])
            tokens.append(Token("str", text[start:i], start, _space_before(text, start)))
            continue
        for kind, pattern in (("num", NUMBER), ("id", IDENTIFIER)):
            match = pattern.match(text, i)
            if match:
                tokens.append(Token(kind, match.group(), start, _space_before(text, start)))
                i = match.end()
                break
        else:
            op = next((o for o in OPERATORS if text.startswith(o, i)), c)
            tokens.append(Token("op", op, start, _space_before(text, start)))
            i += len(op)
    return tokens


def _space_before(text, start):
    return start > 0 and text[start - 1].isspace()


def template_brackets(tokens):
    """The indexes of the `<`, `>` and `>>` tokens that open or close template argument lists, and
    of every token between them."""
    brackets, inside = set(), set()
    for i, token in enumerate(tokens):
        if token.text != "<" or i == 0 or tokens[i - 1].kind != "id" or i in inside:
            continue
        depth, nesting, own = 1, 0, [i]
        for j in range(i + 1, len(tokens)):
            text = tokens[j].text
            if text in (";", "{", "}", "&&", "||", "?", "return"):
                break
            if text in ("(", "["):
                nesting += 1
            elif text in (")", "]"):
                nesting -= 1
                if nesting < 0:
                    break
            elif nesting == 0 and text == "<" and tokens[j - 1].kind == "id":
                depth += 1
                own.append(j)
            elif nesting == 0 and text in (">", ">>"):
                depth -= len(text)
                own.append(j)
                if depth <= 0:
                    brackets.update(own)
                    inside.update(range(i + 1, j))
                    break
    return brackets, inside


def _declared_array_size(tokens, i):
    """Whether the `[` at i sizes an array in a declaration (`Type name[4]`)."""
    if i < 2 or tokens[i - 1].kind != "id":
        return False
    before = tokens[i - 2]
    return (before.kind == "id" and before.text not in EXPRESSION_WORDS) or before.text in (">", "*", "&")


def _number(text, delta):
    """The literal `text` plus `delta`, written the way it was; None for what is not a number."""
    match = INTEGER.fullmatch(text)
    if match:
        digits, suffix = match.group(1).replace("'", ""), match.group(2)
        octal = len(digits) > 1 and digits[0] == "0" and digits[1].isdigit()
        value = int(digits, 8 if octal else 0) + delta
        if value < 0:
            return f"(-{-value}{suffix})"
        if digits[:2].lower() == "0x":
            return digits[:2] + format(value, "X" if digits[2:].isupper() else "x") + suffix
        if digits[:2].lower() == "0b":
            return digits[:2] + format(value, "b") + suffix
        return ("0" + format(value, "o") if octal else str(value)) + suffix
    match = FLOAT.fullmatch(text)
    if match and any(c in match.group(1) for c in ".eE"):
        value = float(match.group(1)) + delta
        written = repr(abs(value)) + match.group(2)
        return f"(-{written})" if value < 0 else written
    return None


def _statement_end(tokens, i):
    """Index of the `;` ending the statement whose first expression token is at i."""
    depth = 0
    for j in range(i, len(tokens)):
        text = tokens[j].text
        depth += text in ("(", "[", "{")
        depth -= text in (")", "]", "}")
        if depth < 0 or (depth == 0 and text == ";"):
            return j if text == ";" else None
    return None


def find_mutants(path, text):
    """Every mutant of the source `text` (named `path`), in source order."""
    tokens = tokenize(text)
    templates, template_arguments = template_brackets(tokens)
    line_starts = [0] + [m.end() for m in re.finditer("\n", text)]
    mutants = []

    def add(op, first, last, replacement):
        start, end = tokens[first].start, tokens[last].start + len(tokens[last].text)
        line = bisect.bisect_right(line_starts, start)
        mutants.append(Mutant(path, line, start - line_starts[line - 1] + 1, op, start, end,
                              text[start:end], replacement))

    skip_literals = set()
    for i, token in enumerate(tokens):
        previous = tokens[i - 1] if i else None
        after_operator = previous is not None and previous.text == "operator"
        if token.text in NEGATED and i not in templates and not after_operator:
            add("cmp-negate", i, i, NEGATED[token.text])
            if token.text in BOUNDARY:
                add("cmp-boundary", i, i, BOUNDARY[token.text])
        elif token.text in ("&&", "||") and not after_operator:
            rvalue_reference = not token.space_before or previous.text in ("auto", "const") or i - 1 in templates
            if not rvalue_reference:
                add("and-or", i, i, "||" if token.text == "&&" else "&&")
        elif token.kind == "id" and token.text in ("true", "false"):
            add("bool-flip", i, i, "false" if token.text == "true" else "true")
        elif token.text == "[" and i + 2 < len(tokens) and tokens[i + 2].text == "]" \
                and tokens[i + 1].kind == "num":
            skip_literals.add(i + 1)
            if _declared_array_size(tokens, i) or not (previous.kind == "id" or previous.text in (")", "]")):
                continue
            for op, delta in (("index+1", 1), ("index-1", -1)):
                changed = _number(tokens[i + 1].text, delta)
                if changed and not changed.startswith("("):
                    add(op, i, i + 2, f"[{changed}]")
        elif token.kind == "num" and i not in skip_literals and i not in template_arguments:
            for op, delta in (("const+1", 1), ("const-1", -1)):
                changed = _number(token.text, delta)
                if changed:
                    add(op, i, i, changed)
        elif token.text == "return":
            end = _statement_end(tokens, i + 1)
            if end is None or end == i + 1:
                continue
            value = text[tokens[i + 1].start:tokens[end].start].strip()
            if value in UNCHANGED_RETURNS:
                continue
            logical = tokens[i + 1].text == "!" or any(
                t.text in NEGATED and k not in templates or t.text in ("&&", "||")
                for k, t in enumerate(tokens[i + 1:end], i + 1))
            if logical:
                add("return-negate", i, end, f"return !({value});")
            else:
                add("return-default", i, end, "return {};")
    return mutants


def apply(text, mutant):
    return text[:mutant.start] + mutant.replacement + text[mutant.end:]
