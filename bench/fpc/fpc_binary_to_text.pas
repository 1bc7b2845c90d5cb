{ fpc_binary_to_text INPUT OUTPUT: converts the binary component stream in INPUT to the text
  form in OUTPUT with Free Pascal's ObjectBinaryToText, as a whole process: the file is read
  into memory, converted there and written at once, so that the converter is not held up by
  a system call per value. }
program fpc_binary_to_text;
{$mode objfpc}{$H+}
uses Classes;
var
  Input, Output: TMemoryStream;
begin
  Input := TMemoryStream.Create;
  Output := TMemoryStream.Create;
  try
    Input.LoadFromFile(ParamStr(1));
    ObjectBinaryToText(Input, Output);
    Output.SaveToFile(ParamStr(2));
  finally
    Output.Free;
    Input.Free;
  end;
end.
